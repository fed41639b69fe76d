#include "platform/backends/x11/X11Resources.h"

namespace {

constexpr double kDefaultDpi = 96.0;
constexpr double kMostDpi = 960.0;

std::string_view Trimmed(std::string_view S) {
  while (!S.empty() && (S.front() == ' ' || S.front() == '\t')) S.remove_prefix(1);
  while (!S.empty() && (S.back() == ' ' || S.back() == '\t' || S.back() == '\r'))
    S.remove_suffix(1);
  return S;
}

// A decimal number: digits with at most one point, nothing else (no sign,
// exponent or hexadecimal; the same whatever the locale's decimal point).
bool ParseDecimal(std::string_view S, double& Out) {
  double Whole = 0, Scale = 1;
  bool Point = false, Digits = false;
  for (char C : S) {
    if (C == '.' && !Point) {
      Point = true;
    } else if (C >= '0' && C <= '9') {
      Digits = true;
      if (Point) {
        Scale /= 10;
        Whole += (C - '0') * Scale;
      } else {
        Whole = Whole * 10 + (C - '0');
      }
    } else {
      return false;
    }
  }
  Out = Whole;
  return Digits;
}

}  // namespace

double XftDpiFromResources(std::string_view Database, std::string& Complaint) {
  Complaint.clear();
  // xrdb writes one "name:\tvalue" per line; the last of several lines
  // naming the same resource is the one Xlib's database keeps.
  std::string_view Value;
  bool Found = false;
  while (!Database.empty()) {
    const std::size_t End = Database.find('\n');
    std::string_view Line = Database.substr(0, End);
    Database.remove_prefix(End == std::string_view::npos ? Database.size() : End + 1);
    const std::size_t Colon = Line.find(':');
    if (Colon == std::string_view::npos) continue;
    if (Trimmed(Line.substr(0, Colon)) != "Xft.dpi") continue;
    Value = Trimmed(Line.substr(Colon + 1));
    Found = true;
  }
  if (!Found) return kDefaultDpi;

  double Dpi = 0;
  if (!ParseDecimal(Value, Dpi) || Dpi <= 0 || Dpi > kMostDpi) {
    Complaint =
        "Xft.dpi \"" + std::string(Value) + "\" is not a scale above 0 and up to 960; using 96";
    return kDefaultDpi;
  }
  return Dpi;
}
