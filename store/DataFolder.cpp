#include "DataFolder.h"

#include "Catalogue.h"
#include "Settings.h"

#include <cstdlib>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace qbx {
namespace {

bool writable(const std::filesystem::path& dir)
{
#ifdef _WIN32
    (void)dir;
    return true;
#else
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
#endif
}

std::filesystem::path userDataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute())
        return xdg;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/") / ".local" / "share";
}

const char* const kDataFiles[] = {kProgramFile, kUnclassifiedFile, kComboFile, kSettingsFileName};

} // namespace

std::filesystem::path dataFolderFor(const std::filesystem::path& programDir)
{
    // An installed copy keeps every user's data in their home, root's too: root may write the
    // program folder, but the package manager owns it.
    std::error_code ec;
    if (writable(programDir) && !std::filesystem::exists(programDir / kInstalledCopyMarker, ec))
        return programDir;
    return userDataHome() / "quillbox";
}

bool prepareDataFolder(const std::filesystem::path& programDir, const std::filesystem::path& dataDir,
                       std::string& why)
{
    std::error_code ec;
    if (std::filesystem::equivalent(programDir, dataDir, ec))
        return true;
    const bool existed = std::filesystem::is_directory(dataDir, ec);
    if (!existed && !std::filesystem::create_directories(dataDir, ec) && ec) {
        why = ec.message();
        return false;
    }
    bool empty = true;
    for (const char* name : kDataFiles)
        empty = empty && !std::filesystem::exists(dataDir / std::filesystem::u8path(name), ec);
    if (!empty)
        return true;
    for (const char* name : kDataFiles) {
        const auto from = programDir / std::filesystem::u8path(name);
        const auto to = dataDir / std::filesystem::u8path(name);
        if (!std::filesystem::is_regular_file(from, ec))
            continue; // not shipped: created empty at start-up
        if (!std::filesystem::copy_file(from, to, ec)) {
            why = "copying " + from.string() + ": " + ec.message();
            return false;
        }
        // A read-only install ships read-only files; the user's copies must take changes.
        std::filesystem::permissions(to,
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add, ec);
    }
    return true;
}

} // namespace qbx
