#pragma once
// Remembers between runs which font file each face request led to, so that a
// normal start opens its fonts without loading fontconfig: its configuration
// (some sixty XML files) and its caches are the larger part of what a start
// costs, in time and in memory. fontconfig is still asked whenever the cache
// has no answer, for fallback faces and for the font list.
//
// An answer is used only while nothing it rests on has changed:
// - the font file itself: device, inode, size, modification and change times;
// - the font configuration as a whole: the stamp of the configuration files
//   and folders, the font folders in the home directory and fontconfig's cache
//   folders (fc-cache rewrites its cache files whenever fonts are installed or
//   removed, which changes those folders' times), and the locale variables
//   that fontconfig's matching reads.
// A process whose fontconfig is pointed elsewhere (FONTCONFIG_FILE,
// FONTCONFIG_PATH, FONTCONFIG_SYSROOT) does not use the cache at all.
//
// The file is a cache and nothing more: one that is missing, unreadable,
// damaged or from another version counts as empty, and one that cannot be
// written is simply not written. It is replaced by rename, never in place.

#include <optional>
#include <string>
#include <vector>

#include "platform/fonts/FontResolver.h"

namespace facecache {

// Uses the cache in File for the rest of the process. StampPaths are the
// paths whose state stands for the font configuration; DefaultStampPaths()
// lists the real ones. Until this is called, the cache answers nothing and
// stores nothing: tests and tools resolve every face through fontconfig.
void Enable(const std::string& File, const std::vector<std::string>& StampPaths);
// The cache of this user: $XDG_CACHE_HOME/scoutlane/faces (or ~/.cache/...),
// with the real stamp paths; nothing when there is no home directory or
// fontconfig is pointed elsewhere.
void EnableForUser();
void Disable();

// The configuration files and folders, font folders and cache folders of
// fontconfig on this system and for this user.
std::vector<std::string> DefaultStampPaths();

// The file Key led to, when the cache knows it and it is still valid.
std::optional<TFontFile> Find(const std::string& Key);
// Records that Key led to File and saves the cache.
void Remember(const std::string& Key, const TFontFile& File);

}  // namespace facecache
