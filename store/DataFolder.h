#pragma once
// Which folder holds the data files (yfrj.dat, wfrj.dat, zhrj.dat, 基本设置.ini).
//
// The program folder itself when the user may write there (a portable install: the files are
// byte-compatible with the Windows version); otherwise $XDG_DATA_HOME/quillbox
// (~/.local/share/quillbox when the variable is unset or not absolute). A program folder holding
// the file `installed-copy`, as a package installs it, never keeps data, whoever may write there.
// The program's own files (skin, sound, icons, introduction) always stay in the program folder. qbx and
// qbx-data choose by the same rule.

#include <filesystem>
#include <string>

namespace qbx {

// Present in the program folder of an installed copy.
inline constexpr const char* kInstalledCopyMarker = "installed-copy";

// The data folder for a program folder; changes nothing on disk.
std::filesystem::path dataFolderFor(const std::filesystem::path& programDir);

// Makes sure `dataDir` exists. When it is not the program folder and holds none of the data
// files yet, the program folder's data files (those shipped with it) are copied in first.
// False with `why` set when the folder cannot be made.
bool prepareDataFolder(const std::filesystem::path& programDir, const std::filesystem::path& dataDir,
                       std::string& why);

} // namespace qbx
