// The journal beside a data file: "QBXJ", version (16 bit), record length (16 bit), number of
// records (32 bit), then per record its number (32 bit) and its full bytes, then a checksum
// (FNV-1a, 32 bit) of everything before it. All numbers little-endian. A journal whose size or
// checksum does not match was cut short while being written and is never replayed.

#include "Journal.h"

#include "RecordFile.h"
#include "WholeFile.h"

#include <atomic>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qbx {
namespace {

constexpr std::uint8_t kMagic[4] = {'Q', 'B', 'X', 'J'};
constexpr std::uint16_t kVersion = 1;
constexpr std::size_t kHeaderBytes = 12;
constexpr std::size_t kMaxJournalRecords = 32767; // record numbers are 16-bit counters

std::atomic<bool> g_journaling{true};

void put16(Bytes& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void put32(Bytes& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

std::uint32_t get16(const Bytes& in, std::size_t at)
{
    return in[at] | (std::uint32_t{in[at + 1]} << 8);
}

std::uint32_t get32(const Bytes& in, std::size_t at)
{
    return get16(in, at) | (get16(in, at + 2) << 16);
}

std::uint32_t checksum(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) {
        h ^= data[i];
        h *= 16777619u;
    }
    return h;
}

std::string fileName(const std::filesystem::path& path)
{
    const std::u8string name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

#ifndef _WIN32
// Flushes a file (or a folder's entries) to disk; a failure only weakens the guarantee against
// power loss, not against a killed program, so it is not an error of the change.
void syncPath(const std::filesystem::path& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return;
    static_cast<void>(::fdatasync(fd));
    ::close(fd);
}

void syncFolderOf(const std::filesystem::path& path)
{
    const std::filesystem::path dir = path.parent_path();
    syncPath(dir.empty() ? std::filesystem::path(".") : dir, O_RDONLY | O_DIRECTORY);
}

// One write of the whole journal, flushed to disk before it counts as written.
bool writeWhole(const std::filesystem::path& path, const Bytes& data)
{
    int fd = -1;
    do
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fdatasync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        syncFolderOf(path);
    return ok;
}
#else
constexpr int O_RDWR = 0;

// Flushes a file to disk. Folder entries need no flush of their own on Windows.
void syncPath(const std::filesystem::path& path, int)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return;
    static_cast<void>(FlushFileBuffers(h));
    CloseHandle(h);
}

// One write of the whole journal, flushed to disk before it counts as written.
bool writeWhole(const std::filesystem::path& path, const Bytes& data)
{
    return detail::writeWholeFile(path,
                                  std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}
#endif

bool readWhole(const std::filesystem::path& path, Bytes& out, std::size_t limit)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad() && out.size() <= limit;
}

// The records of a journal when it is complete and meant for records of `length` bytes.
bool parse(const Bytes& data, int length, std::map<int, Bytes>& records)
{
    if (data.size() < kHeaderBytes + 4 || !std::equal(std::begin(kMagic), std::end(kMagic), data.begin()))
        return false;
    if (get16(data, 4) != kVersion || get16(data, 6) != static_cast<std::uint32_t>(length))
        return false;
    const std::size_t count = get32(data, 8);
    const std::size_t each = 4 + static_cast<std::size_t>(length);
    if (count > kMaxJournalRecords || data.size() != kHeaderBytes + count * each + 4)
        return false;
    if (get32(data, data.size() - 4) != checksum(data.data(), data.size() - 4))
        return false;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t at = kHeaderBytes + k * each;
        const std::uint32_t recordNo = get32(data, at);
        if (recordNo < 1 || recordNo > kMaxJournalRecords)
            return false;
        records[static_cast<int>(recordNo)] = Bytes(data.begin() + static_cast<std::ptrdiff_t>(at + 4),
                                                    data.begin() + static_cast<std::ptrdiff_t>(at + each));
    }
    return true;
}

} // namespace

std::filesystem::path journalPath(const std::filesystem::path& dataFile)
{
    std::filesystem::path p = dataFile;
    p += "-journal";
    return p;
}

namespace {

// Reads the journal beside `file`; `records` receives what a complete one holds.
JournalState readJournal(const RecordFile& file, std::map<int, Bytes>& records)
{
    const std::filesystem::path journal = journalPath(file.path());
    std::error_code ec;
    if (!std::filesystem::exists(journal, ec))
        return JournalState::None;
    const std::size_t limit =
        kHeaderBytes + kMaxJournalRecords * (4 + static_cast<std::size_t>(file.recordLength())) + 4;
    Bytes bytes;
    if (!readWhole(journal, bytes, limit) || !parse(bytes, file.recordLength(), records))
        return JournalState::Incomplete;
    return JournalState::Complete;
}

} // namespace

JournalState inspectJournal(const RecordFile& file)
{
    std::map<int, Bytes> records;
    return readJournal(file, records);
}

JournalRecovery recoverJournal(const RecordFile& file)
{
    JournalRecovery r;
    std::map<int, Bytes> records;
    const JournalState state = readJournal(file, records);
    if (state == JournalState::None)
        return r;
    const std::string data = fileName(file.path());
    if (state == JournalState::Incomplete) {
        std::error_code ec;
        std::filesystem::remove(journalPath(file.path()), ec);
        r.outcome = JournalRecovery::Outcome::Discarded;
        r.message =
            "dropped the incomplete journal of " + data + "; " + data + " was not touched by that change";
        if (ec)
            r.message += " (the journal could not be removed)";
        return r;
    }
    for (const auto& [recordNo, record] : records) {
        if (Status s = file.write(recordNo, record); !s) {
            r.outcome = JournalRecovery::Outcome::Failed;
            r.message = "could not complete the change journaled for " + data + ": " + s.error().message;
            return r;
        }
    }
    detail::commitJournal(file);
    r.outcome = JournalRecovery::Outcome::Replayed;
    r.records = static_cast<int>(records.size());
    r.message = "completed a cut-short change of " + std::to_string(r.records) + " records of " + data +
                " from its journal";
    return r;
}

namespace detail {

Status writeJournal(const RecordFile& file, const std::map<int, Bytes>& records)
{
    const auto length = static_cast<std::size_t>(file.recordLength());
    Bytes out;
    out.reserve(kHeaderBytes + records.size() * (4 + length) + 4);
    out.insert(out.end(), std::begin(kMagic), std::end(kMagic));
    put16(out, kVersion);
    put16(out, static_cast<std::uint32_t>(length));
    put32(out, static_cast<std::uint32_t>(records.size()));
    for (const auto& [recordNo, bytes] : records) {
        put32(out, static_cast<std::uint32_t>(recordNo));
        const std::size_t start = out.size();
        out.insert(out.end(), bytes.begin(), bytes.end());
        out.resize(start + length, 0);
    }
    put32(out, checksum(out.data(), out.size()));
    const std::filesystem::path journal = journalPath(file.path());
    if (writeWhole(journal, out))
        return success();
    std::error_code ec;
    std::filesystem::remove(journal, ec);
    return StoreError{StoreErrorCode::Io, "无法写入文件 " + fileName(journal)};
}

void commitJournal(const RecordFile& file)
{
    syncPath(file.path(), O_RDWR);
    std::error_code ec;
    std::filesystem::remove(journalPath(file.path()), ec);
}

void setJournaling(bool on)
{
    g_journaling = on;
}
bool journaling()
{
    return g_journaling;
}

} // namespace detail
} // namespace qbx
