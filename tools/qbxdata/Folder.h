#pragma once
// A data folder as start-up sees it, plus the raw records behind it for the checks.

#include "store/AppState.h"
#include "store/RecordCodec.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace qbxdata {

template <typename Entry>
struct RawRecord {
    int recordNo = 0; // position in the file
    Entry entry;
    qbx::DecodeReport report;
};

struct Folder {
    qbx::AppState state; // settings, catalogue, combinations, slot maps as start-up leaves them
    // What each settings key holds: nullopt when its value does not fit 16 bits.
    std::vector<std::pair<std::string, std::optional<std::int16_t>>> rawSettings;
    std::vector<RawRecord<qbx::ProgramEntry>> programs;     // records 1-775 of "yfrj.dat"
    std::vector<RawRecord<qbx::ComboEntry>> combos;         // records 1-25 of "zhrj.dat"
    std::vector<RawRecord<qbx::ProgramEntry>> unclassified; // records 1-wcount of "wfrj.dat"
    long long unclassifiedRecordsInFile = 0;
};

// The folder's own path; when `arg` is empty, the data folder qbx uses beside this executable.
std::filesystem::path folderOf(const std::string& arg);

// Whether the folder can be listed; false sets `why`.
bool folderReadable(const std::filesystem::path& dir, std::string& why);

// Reads the folder as start-up does (settings, loadAll, slot-map rebuild) and the raw records.
// The folder is left as it was found: data files that reading had to create are removed again.
Folder readFolder(const std::filesystem::path& dir);

} // namespace qbxdata
