#pragma once
// Helpers for the catalogue tests: a program folder of its own per test, entries and raw files.

#include "store/AppState.h"
#include "store/RecordCodec.h"
#include "store/RecordFile.h"
#include "store/Store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace qbx::testing {

// A fresh, empty program folder removed again after the test.
class ScratchDir {
public:
    ScratchDir()
    {
        static std::mt19937_64 rng{std::random_device{}()};
        path_ = std::filesystem::temp_directory_path() / ("qbx-cat-" + std::to_string(rng()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline ProgramEntry program(const std::string& name, int recordNo, int major, int minor, int slot,
                            int useCounter, const std::string& minorName = "业务")
{
    ProgramEntry e;
    e.name = name;
    e.exePath = "C:\\Program Files\\" + name + "\\" + name + ".exe";
    e.recordNo = recordNo;
    e.major = static_cast<std::int16_t>(major);
    e.minor = static_cast<std::int16_t>(minor);
    e.slot = static_cast<std::int16_t>(slot);
    e.majorName = "办公";
    e.minorName = minorName;
    e.title = name + "的标题";
    e.useCounter = useCounter;
    return e;
}

inline ComboEntry combo(const std::string& name, int recordNo, int group, int position, int useCounter,
                        const std::string& groupName = "工作")
{
    ComboEntry c;
    c.name = name;
    c.useCounter = useCounter;
    c.recordNo = recordNo;
    c.programs = {recordNo, 0, 0, 0, 0};
    c.programCount = 1;
    c.description = name + "+";
    c.group = static_cast<std::int16_t>(group);
    c.position = static_cast<std::int16_t>(position);
    c.groupName = groupName;
    return c;
}

template <typename Entry>
constexpr int recordLengthOf()
{
    return std::is_same_v<Entry, ComboEntry> ? kComboRecordLength : kProgramRecordLength;
}

// Writes `entry` at record `recordNo` (not necessarily its own) through the codec.
template <typename Entry>
void putRecord(const std::filesystem::path& file, int recordNo, const Entry& entry)
{
    auto bytes = encodeRecord(entry);
    ASSERT_TRUE(bytes.ok());
    ASSERT_TRUE(RecordFile(file, recordLengthOf<Entry>()).write(recordNo, bytes.value()).ok());
}

// Record `recordNo` as the file holds it now; an empty entry when it cannot be read.
template <typename Entry>
Entry entryAt(const std::filesystem::path& file, int recordNo)
{
    Entry e;
    auto bytes = RecordFile(file, recordLengthOf<Entry>()).read(recordNo);
    if (bytes)
        decodeRecord(bytes.value(), e);
    return e;
}

inline ProgramEntry recordAt(const std::filesystem::path& file, int recordNo)
{
    return entryAt<ProgramEntry>(file, recordNo);
}

inline ComboEntry comboRecordAt(const std::filesystem::path& file, int recordNo)
{
    return entryAt<ComboEntry>(file, recordNo);
}

// A test with its own program folder and an empty state in it.
class FolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.appDir = dir.path();
        s.minorNames.fillBuiltIn();
    }
    // Puts the entry at its own indices and writes its record, as filing does.
    void file(const ProgramEntry& e)
    {
        s.catalogue.at(e.major, e.minor, e.slot) = e;
        ASSERT_TRUE(saveProgramEntry(s, e.major, e.minor, e.slot).ok());
    }
    void fileCombo(const ComboEntry& c)
    {
        s.combos.at(c.group, c.position) = c;
        ASSERT_TRUE(saveComboEntry(s, c.group, c.position).ok());
    }
    ScratchDir dir;
    AppState s;
};

} // namespace qbx::testing
