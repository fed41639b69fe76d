#pragma once
// Where the programs keep the files they write: one rule, decided here.
//
// - Portable: when the executable's folder already holds Scoutlane.ini, or
//   when a file can be made there (the probe makes and removes a temporary
//   file; permission bits alone would be wrong for root, read-only mounts
//   and network shares), every file the programs write lies beside the
//   executable, as it always did. A settings file found there wins even when
//   the folder has become read-only since; saving it then fails and the
//   error box names it, which is the truth. The package manager's folders
//   (/usr/...) are never portable: root could write there, and a file left
//   there by root would refuse every other user's save.
// - Otherwise the user's own folder: $XDG_CONFIG_HOME/scoutlane/ on Linux
//   (~/.config/scoutlane/ when XDG_CONFIG_HOME is unset, empty, relative or
//   names something that is no folder, as the XDG rules ask), and
//   %APPDATA%\Scoutlane\ on Windows. It is made (readable by the user only
//   on Linux) when a file is first saved in it, never by merely reading.
//
// The executable's folder decides for the whole run: the answer is taken
// once and kept, so a program never splits its files between two folders.
// The registry store (platform/registry) is the user's in any case, as
// HKEY_CURRENT_USER is; on Linux it lives in the same user's folder.
//
// Paths are the system's text (code page 932); folders end with their
// separator.

#include <string>
#include <string_view>

namespace files {

// The file whose presence beside the executable makes a copy portable.
inline constexpr const char* kPortableSettingsFile = "Scoutlane.ini";

// The folder every settings file of this run lies in (decided once).
std::string SettingsDirectory();

// SettingsDirectory() followed by FileName.
std::string SettingsFilePath(std::string_view FileName);

// The rule itself, for any pair of folders: ExecutableDirectory when it is
// no system program folder and holds kPortableSettingsFile or is writable,
// else UserDirectory (when
// there is none, ExecutableDirectory: there is nowhere better to try).
std::string ChooseSettingsDirectory(const std::string& ExecutableDirectory,
                                    const std::string& UserDirectory);

// The user's own settings folder from the environment as it is now; empty
// when the user has none (no home folder, no application data folder).
std::string UserSettingsDirectory();

// Whether a new file can be made in Directory right now: a temporary file
// is made there and removed again.
bool IsDirectoryWritable(const std::string& Directory);

// Whether Directory is where the system's package manager puts programs
// (on Linux anything under /usr/): never portable, even for root, who can
// write there, so that root starting the installed program does not leave
// a settings file among the system's files, and a file found there (which
// only root could have left) is not used.
bool IsSystemProgramDirectory(const std::string& Directory);

// Before a save to Path: when Path lies in the user's settings folder and
// that folder is missing, it is made (with the folders above it). Any other
// folder is left as it is. A failure is left for the save to report, which
// names the file.
void PrepareSettingsFolder(const std::string& Path);

// Whether anything exists at Path.
bool PathExists(const std::string& Path);

// Makes Directory and the folders above it that are missing (on Linux
// readable by the user only); true when it is a folder afterwards.
bool MakeDirectories(const std::string& Directory);

}  // namespace files
