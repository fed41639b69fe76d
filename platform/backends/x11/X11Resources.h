#pragma once
// The desktop's scale as X11 programs find it: the Xft.dpi resource of the
// root window's resource database (RESOURCE_MANAGER), which GNOME, KDE,
// Xfce and xrdb set. Display-free, so it is tested without a server.

#include <string>
#include <string_view>

// The pixels per inch that the resource database's text gives. Without an
// Xft.dpi line it is 96. A value that is not a number, is not above 0 or is
// over 960 gives 96 too, and Complaint says why (empty otherwise); a
// fractional value is kept as it is.
double XftDpiFromResources(std::string_view Database, std::string& Complaint);
