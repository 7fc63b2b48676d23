#pragma once
// All program-wide state in one object. The program owns one; every test builds its own.

#include "Catalogue.h"
#include "Settings.h"

#include <filesystem>

namespace qbx {

// What the user is pointing at or acting on, shared by all windows.
struct Selection {
    std::int16_t curMajor = 0;
    std::int16_t curMinor = 0;
    std::int16_t curSlot = 0;
    std::int16_t hoverTile = 0;
    std::int16_t popupColumn = 0;
    bool popupActive = false;
    std::int16_t curGroup = 0;
    std::int16_t curPosition = 0;
    ProgramEntry pendingProgram; // the program waiting to be filed
};

struct AppState {
    std::filesystem::path appDir;  // the program folder: the program's own files
    std::filesystem::path dataDir; // the data files; empty: the program folder holds them
    Settings settings;
    Catalogue catalogue;
    UnclassifiedList unclassified;
    ComboTable combos;
    MinorNameTable minorNames;
    Selection sel;

    std::filesystem::path file(const char* name) const { return appDir / std::filesystem::u8path(name); }
    const std::filesystem::path& dataFolder() const { return dataDir.empty() ? appDir : dataDir; }
    std::filesystem::path dataFile(const char* name) const
    {
        return dataFolder() / std::filesystem::u8path(name);
    }
    std::filesystem::path programFile() const;
    std::filesystem::path unclassifiedFile() const;
    std::filesystem::path comboFile() const;
    std::filesystem::path settingsFile() const;
};

} // namespace qbx
