#pragma once
// Scratch folders, read-only files and environment variables for tests, the
// same calls on Linux and on Windows (where the suites run under Wine), so
// that the tests themselves need no system-specific code.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace testfiles {

// What ends the folder part of the paths the system gives (the executable's
// folder, full paths).
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A new, empty folder in the system's temporary folder, its name starting
// with Prefix; its full path without a separator at the end.
inline std::string MakeScratchDirectory(const std::string& Prefix) {
#ifdef _WIN32
  std::random_device Random;
  const std::filesystem::path Base = std::filesystem::temp_directory_path();
  for (int Attempt = 0; Attempt < 100; ++Attempt) {
    std::filesystem::path Candidate = Base / (Prefix + "-" + std::to_string(Random()));
    std::error_code Error;
    if (std::filesystem::create_directory(Candidate, Error)) return Candidate.string();
  }
  throw std::runtime_error("no scratch folder");
#else
  std::string Template = "/tmp/" + Prefix + "-XXXXXX";
  if (!mkdtemp(Template.data())) throw std::runtime_error("no scratch folder");
  return Template;
#endif
}

// Makes a file read-only (for everyone: on Linux no write bit at all, on
// Windows the read-only attribute) or writable by its owner again.
inline bool SetReadOnly(const std::string& Path, bool ReadOnly) {
#ifdef _WIN32
  std::error_code Error;
  std::filesystem::permissions(
      Path,
      std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
          std::filesystem::perms::others_write,
      ReadOnly ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add, Error);
  return !Error;
#else
  return chmod(Path.c_str(), ReadOnly ? 0444 : 0644) == 0;
#endif
}

// Removes a folder and everything in it, read-only files too.
inline void RemoveTree(const std::string& Path) {
  std::error_code Error;
  for (auto Entry = std::filesystem::recursive_directory_iterator(Path, Error);
       !Error && Entry != std::filesystem::recursive_directory_iterator(); Entry.increment(Error))
    std::filesystem::permissions(Entry->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, Error);
  std::filesystem::remove_all(Path, Error);
}

// Sets an environment variable of this process; nullopt removes it.
inline void SetEnvironment(const char* Name, const std::optional<std::string>& Value) {
#ifdef _WIN32
  _putenv_s(Name, Value ? Value->c_str() : "");
#else
  if (Value)
    setenv(Name, Value->c_str(), 1);
  else
    unsetenv(Name);
#endif
}

// Sets an environment variable for the lifetime of the guard, then puts the
// old value (or its absence) back.
class TEnvironmentGuard {
public:
  TEnvironmentGuard(const char* Name, const std::optional<std::string>& Value) : FName(Name) {
    if (const char* Old = std::getenv(Name)) FOld = Old;
    SetEnvironment(Name, Value);
  }
  ~TEnvironmentGuard() { SetEnvironment(FName.c_str(), FOld); }
  TEnvironmentGuard(const TEnvironmentGuard&) = delete;
  TEnvironmentGuard& operator=(const TEnvironmentGuard&) = delete;

private:
  std::string FName;
  std::optional<std::string> FOld;
};

}  // namespace testfiles
