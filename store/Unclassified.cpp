// The unclassified list: preparing "wfrj.dat" once, and moving programs into its free records.

#include "Unclassified.h"

#include "Ini.h"
#include "RecordCodec.h"
#include "RecordFile.h"
#include "Store.h"

#include <fstream>
#include <system_error>

namespace qbx {

namespace {

constexpr int kMaxListSize = 32767; // wcount is a 16-bit setting

StoreError ioError(const char* what)
{
    return StoreError{StoreErrorCode::Io, what};
}

// Writes `count` free records numbered by their position, through a temporary file renamed into
// place, so that an interrupted preparation never leaves a half-written list behind.
Status writeFreeRecords(const std::filesystem::path& file, int count)
{
    std::filesystem::path tmp = file;
    tmp += ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            return ioError("无法建立文件 wfrj.dat！");
        // One write of the whole list: fewer places for a kill to land, and quicker.
        Bytes all;
        all.reserve(static_cast<std::size_t>(count) * kProgramRecordLength);
        for (int n = 1; n <= count; ++n) {
            UnclassifiedEntry free;
            free.recordNo = n;
            auto bytes = encodeRecord(free);
            if (!bytes)
                return bytes.error();
            const std::size_t start = all.size();
            all.insert(all.end(), bytes.value().begin(), bytes.value().end());
            all.resize(start + kProgramRecordLength, 0);
        }
        out.write(reinterpret_cast<const char*>(all.data()), static_cast<std::streamsize>(all.size()));
        out.flush();
        if (!out) {
            out.close();
            std::error_code ignored;
            std::filesystem::remove(tmp, ignored);
            return ioError("无法写入文件 wfrj.dat！");
        }
    }
    std::error_code ec;
    std::filesystem::rename(tmp, file, ec);
    if (ec) {
        std::filesystem::remove(tmp, ec);
        return ioError("无法写入文件 wfrj.dat！");
    }
    return success();
}

} // namespace

Status prepareUnclassifiedFile(AppState& state)
{
    // -1 cannot be stored (a negative value reads as 0), so it means "no usable key".
    const auto stored = readIniInt(kSectionBasic, kKeyWcount, -1, state.settingsFile());
    const bool keyPresent = !stored || *stored >= 0;
    Status result = success();
    if (!keyPresent) {
        const std::filesystem::path file = state.unclassifiedFile();
        std::error_code ec;
        const auto size =
            std::filesystem::is_regular_file(file, ec) ? std::filesystem::file_size(file, ec) : 0;
        int count = 0;
        if (!ec && size > 0) {
            const auto records = (size + kProgramRecordLength - 1) / kProgramRecordLength;
            count = records > static_cast<std::uintmax_t>(kMaxListSize) ? kMaxListSize
                                                                        : static_cast<int>(records);
        } else {
            result = writeFreeRecords(file, kPreparedUnclassifiedRecords);
            if (result)
                count = kPreparedUnclassifiedRecords;
        }
        if (count > 0) {
            if (writeIniInt(kSectionBasic, kKeyWcount, static_cast<std::int16_t>(count),
                            state.settingsFile()))
                state.settings.wcount = static_cast<std::int16_t>(count);
            else
                result = ioError("无法写入设置文件！");
        }
    }
    state.unclassified.resize(state.settings.wcount);
    return result;
}

Status readUnclassifiedEntry(AppState& state, int k)
{
    if (k < 1 || k > state.unclassified.count())
        return ioError("未分类程序的记录号超出范围！");
    auto bytes = RecordFile(state.unclassifiedFile(), kProgramRecordLength).read(k);
    if (!bytes)
        return bytes.error();
    UnclassifiedEntry entry;
    decodeRecord(bytes.value(), entry);
    state.unclassified.at(k) = std::move(entry);
    return success();
}

void clearTakenOutEntry(ProgramEntry& entry)
{
    entry.name.clear();
    entry.exePath.clear();
    entry.majorName.clear();
    entry.minorName.clear();
    entry.description.clear();
    entry.useCounter = -1;
}

Result<int> firstFreeUnclassified(AppState& state)
{
    const int wcount = state.settings.wcount;
    if (wcount <= 0)
        return 0;
    if (state.unclassified.count() != wcount)
        state.unclassified.resize(wcount);

    auto records = RecordFile(state.unclassifiedFile(), kProgramRecordLength).readRange(1, wcount);
    if (!records)
        return records.error();

    for (int i = 1; i <= wcount; ++i) {
        UnclassifiedEntry found;
        decodeRecord(records.value()[static_cast<std::size_t>(i - 1)], found);
        state.unclassified.at(i) = found;
        if (!found.name.empty())
            continue;
        const int recordNo = found.recordNo == 0 ? i : found.recordNo;
        if (recordNo == i)
            return i;
    }
    return 0;
}

Result<int> keepUnclassified(AppState& state, const ProgramEntry& entry)
{
    Result<int> free = firstFreeUnclassified(state);
    if (!free || free.value() == 0)
        return free;
    const int i = free.value();
    const UnclassifiedEntry found = state.unclassified.at(i);
    UnclassifiedEntry moved = entry;
    moved.recordNo = i;
    state.unclassified.at(i) = moved;
    if (auto written = saveUnclassifiedEntry(state, i); !written) {
        state.unclassified.at(i) = found;
        return written.error();
    }
    return i;
}

Result<int> moveToUnclassified(AppState& state, int major, int minor, int slot)
{
    if (!inNamedCatalogue(major, minor, slot) || state.catalogue.at(major, minor, slot).name.empty())
        return 0;
    ProgramEntry& entry = state.catalogue.at(major, minor, slot);
    Result<int> kept = keepUnclassified(state, entry);
    if (kept && kept.value() > 0)
        clearTakenOutEntry(entry);
    return kept;
}

} // namespace qbx
