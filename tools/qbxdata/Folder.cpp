#include "Folder.h"

#include "store/DataFolder.h"

#include "store/Ini.h"
#include "store/RecordFile.h"
#include "store/Settings.h"
#include "store/Store.h"

#include <system_error>

namespace qbxdata {

using namespace qbx;

std::filesystem::path folderOf(const std::string& arg)
{
    if (!arg.empty())
        return std::filesystem::path(arg);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    // The folder qbx keeps its data in, chosen by the same rule.
    return ec ? std::filesystem::path(".") : qbx::dataFolderFor(exe.parent_path());
}

bool folderReadable(const std::filesystem::path& dir, std::string& why)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        why = "not a folder";
        return false;
    }
    std::filesystem::directory_iterator it(dir, ec);
    if (ec) {
        why = ec.message();
        return false;
    }
    return true;
}

namespace {

template <typename Entry>
std::vector<RawRecord<Entry>> readRecords(const std::filesystem::path& file, int length, int count)
{
    std::vector<RawRecord<Entry>> out;
    if (count < 1)
        return out;
    auto range = RecordFile(file, length).readRange(1, count);
    if (!range)
        return out;
    int n = 0;
    for (const Bytes& bytes : range.value()) {
        RawRecord<Entry> r;
        r.recordNo = ++n;
        decodeRecord(bytes, r.entry, &r.report);
        out.push_back(std::move(r));
    }
    return out;
}

} // namespace

Folder readFolder(const std::filesystem::path& dir)
{
    Folder f;
    AppState& s = f.state;
    s.appDir = dir;

    const std::filesystem::path dataFiles[] = {s.programFile(), s.unclassifiedFile(), s.comboFile()};
    bool existed[3];
    for (int i = 0; i < 3; ++i) {
        std::error_code ec;
        existed[i] = std::filesystem::exists(dataFiles[i], ec);
    }

    readSettings(s.settingsFile(), s.settings);
    const std::pair<const char*, const char*> keys[] = {
        {kSectionBasic, kKeyStartMode}, {kSectionHide, kKeyMainDelay}, {kSectionHide, kKeyCategoryDelay},
        {kSectionBasic, kKeyYcount},    {kSectionBasic, kKeyZhcount},  {kSectionBasic, kKeyWcount}};
    for (const auto& [section, key] : keys)
        f.rawSettings.emplace_back(std::string(section) + "/" + key,
                                   readIniInt(section, key, 0, s.settingsFile()));

    s.minorNames.fillBuiltIn();
    s.unclassified.resize(s.settings.wcount);
    loadAll(s);
    rebuildSlotMap(s);

    f.programs = readRecords<ProgramEntry>(s.programFile(), kProgramRecordLength, kProgramRecordsRead);
    f.combos = readRecords<ComboEntry>(s.comboFile(), kComboRecordLength, kComboRecordsRead);
    f.unclassified = readRecords<ProgramEntry>(s.unclassifiedFile(), kProgramRecordLength, s.settings.wcount);
    for (const auto& r : f.unclassified)
        s.unclassified.at(r.recordNo) = r.entry;
    std::error_code ec;
    const auto size = std::filesystem::file_size(s.unclassifiedFile(), ec);
    if (!ec)
        f.unclassifiedRecordsInFile =
            static_cast<long long>((size + kProgramRecordLength - 1) / kProgramRecordLength);

    for (int i = 0; i < 3; ++i) {
        std::error_code e2;
        if (!existed[i] && std::filesystem::exists(dataFiles[i], e2) &&
            std::filesystem::file_size(dataFiles[i], e2) == 0)
            std::filesystem::remove(dataFiles[i], e2);
    }
    return f;
}

} // namespace qbxdata
