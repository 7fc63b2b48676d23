// Fixed-length records through positioned reads and writes; the file is opened per access.

#include "RecordFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <climits>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace qbx {
namespace {

constexpr std::size_t kMaxRangeBytes = 64u << 20; // far beyond any file the program keeps

std::string fileName(const std::filesystem::path& path)
{
    const std::u8string name = path.filename().u8string();
    return std::string(name.begin(), name.end());
}

StoreError badRecordNo()
{
    return StoreError{StoreErrorCode::Io, "记录号必须从 1 开始"};
}

StoreError tooLong(int length)
{
    return StoreError{StoreErrorCode::TooLong, "记录超过 " + std::to_string(length) + " 字节，无法保存"};
}

// "无法打开文件 yfrj.dat：文件夹不存在"
StoreError ioError(const std::filesystem::path& path, const char* what, const std::string& reason)
{
    std::string message = "无法";
    message.append(what).append("文件 ").append(fileName(path)).append("：").append(reason);
    return StoreError{StoreErrorCode::Io, std::move(message)};
}

#ifndef _WIN32
// Why an access failed, in the interface's language where the cause is a common one.
std::string reason(int err)
{
    switch (err) {
    case ENOSPC:
    case EDQUOT:
        return "磁盘已满";
    case EACCES:
    case EPERM:
        return "没有权限";
    case EROFS:
        return "磁盘只读";
    case EISDIR:
        return "这是一个文件夹";
    case ENOENT:
    case ENOTDIR:
        return "文件夹不存在";
    default:
        return std::strerror(err);
    }
}

StoreError ioError(const std::filesystem::path& path, const char* what, int err)
{
    return ioError(path, what, reason(err));
}

// Closes the descriptor when the access is over, whatever way it ends.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Closing reports errors of delayed writes (network file systems); the caller wants them.
    int release() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

// Opens for reading; a missing file is created empty first.
Result<int> openForRead(const std::filesystem::path& path)
{
    int fd = -1;
    do
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd >= 0 || errno != ENOENT) {
        if (fd < 0)
            return ioError(path, "打开", errno);
        return fd;
    }
    do
        fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return ioError(path, "创建", errno);
    return fd;
}

// Fills the records one after another from `offset` in as few reads as the system allows;
// whatever lies past the end of the file stays as it is (zeros).
bool readInto(int fd, std::vector<Bytes>& records, off_t offset)
{
    std::vector<iovec> iov(records.size());
    for (std::size_t k = 0; k < records.size(); ++k)
        iov[k] = {records[k].data(), records[k].size()};
    std::size_t next = 0;
    while (next < iov.size()) {
        const int n = static_cast<int>(std::min<std::size_t>(iov.size() - next, IOV_MAX));
        const ssize_t got = ::preadv(fd, &iov[next], n, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break; // end of file
        offset += got;
        for (auto left = static_cast<std::size_t>(got); left > 0 && next < iov.size();) {
            if (left >= iov[next].iov_len) {
                left -= iov[next].iov_len;
                ++next;
            } else {
                iov[next].iov_base = static_cast<std::uint8_t*>(iov[next].iov_base) + left;
                iov[next].iov_len -= left;
                left = 0;
            }
        }
    }
    return true;
}

bool writeAt(int fd, const std::uint8_t* in, std::size_t size, off_t offset)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::pwrite(fd, in + done, size - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Reads the records one after another from `offset` in one open.
Status readRecords(const std::filesystem::path& path, std::vector<Bytes>& records, std::int64_t offset)
{
    Result<int> opened = openForRead(path);
    if (!opened)
        return opened.error();
    Fd fd(opened.value());
    if (!readInto(fd.get(), records, static_cast<off_t>(offset)))
        return ioError(path, "读取", errno);
    return success();
}

// Writes one whole record at `offset`, creating the file when it is missing.
Status writeRecord(const std::filesystem::path& path, const Bytes& record, std::int64_t offset)
{
    int raw = -1;
    do
        raw = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    while (raw < 0 && errno == EINTR);
    if (raw < 0)
        return ioError(path, "打开", errno);
    Fd fd(raw);
    if (!writeAt(fd.get(), record.data(), record.size(), static_cast<off_t>(offset)))
        return ioError(path, "写入", errno);
    if (fd.release() != 0 && errno != EINTR)
        return ioError(path, "写入", errno);
    return success();
}

#else // _WIN32: the same accesses through Windows file handles.

// Why an access failed, as the POSIX build says it for the same causes.
std::string reason(DWORD err)
{
    switch (err) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "磁盘已满";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "没有权限";
    case ERROR_WRITE_PROTECT:
        return "磁盘只读";
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_DIRECTORY:
        return "文件夹不存在";
    default:
        return "Windows 错误 " + std::to_string(err);
    }
}

StoreError ioError(const std::filesystem::path& path, const char* what, DWORD err)
{
    // Opening a folder as a file is refused as "access denied"; say what it really is.
    if (err == ERROR_ACCESS_DENIED) {
        std::error_code ec;
        if (std::filesystem::is_directory(path, ec))
            return ioError(path, what, std::string("这是一个文件夹"));
    }
    return ioError(path, what, reason(err));
}

// Closes the handle when the access is over, whatever way it ends.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle()
    {
        if (h_ != INVALID_HANDLE_VALUE)
            CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }
    bool release() { return CloseHandle(std::exchange(h_, INVALID_HANDLE_VALUE)) != 0; }

private:
    HANDLE h_;
};

HANDLE openFile(const std::filesystem::path& path, DWORD access)
{
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The position of a synchronous read or write, given with the call itself.
OVERLAPPED at(std::int64_t offset)
{
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(static_cast<std::uint64_t>(offset) & 0xFFFFFFFFu);
    o.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return o;
}

Status readRecords(const std::filesystem::path& path, std::vector<Bytes>& records, std::int64_t offset)
{
    Handle h(openFile(path, GENERIC_READ));
    if (h.get() == INVALID_HANDLE_VALUE)
        return ioError(path, "打开", GetLastError());
    // One read a record: a record is small and a range is read once at start-up.
    for (Bytes& record : records) {
        std::size_t done = 0;
        while (done < record.size()) {
            OVERLAPPED pos = at(offset + static_cast<std::int64_t>(done));
            DWORD got = 0;
            if (!ReadFile(h.get(), record.data() + done, static_cast<DWORD>(record.size() - done), &got,
                          &pos)) {
                const DWORD err = GetLastError();
                if (err == ERROR_HANDLE_EOF)
                    return success(); // the rest lies past the end of the file: zeros
                return ioError(path, "读取", err);
            }
            if (got == 0)
                return success();
            done += got;
        }
        offset += static_cast<std::int64_t>(record.size());
    }
    return success();
}

Status writeRecord(const std::filesystem::path& path, const Bytes& record, std::int64_t offset)
{
    Handle h(openFile(path, GENERIC_WRITE));
    if (h.get() == INVALID_HANDLE_VALUE)
        return ioError(path, "打开", GetLastError());
    std::size_t done = 0;
    while (done < record.size()) {
        OVERLAPPED pos = at(offset + static_cast<std::int64_t>(done));
        DWORD put = 0;
        if (!WriteFile(h.get(), record.data() + done, static_cast<DWORD>(record.size() - done), &put, &pos))
            return ioError(path, "写入", GetLastError());
        if (put == 0)
            return ioError(path, "写入", static_cast<DWORD>(ERROR_WRITE_FAULT));
        done += put;
    }
    if (!h.release())
        return ioError(path, "写入", GetLastError());
    return success();
}
#endif

} // namespace

RecordFile::RecordFile(std::filesystem::path path, int recordLength)
    : path_(std::move(path)), length_(recordLength < 1 ? 1 : recordLength)
{}

Result<std::vector<Bytes>> RecordFile::readRange(int first, int last) const
{
    if (first < 1)
        return badRecordNo();
    std::vector<Bytes> records;
    if (last < first)
        return records;
    const auto count = static_cast<std::size_t>(last - first + 1);
    const auto len = static_cast<std::size_t>(length_);
    if (count > kMaxRangeBytes / len)
        return StoreError{StoreErrorCode::Io, "一次读取的记录太多"};
    records.assign(count, Bytes(len, 0));
    const Status got = readRecords(path_, records, static_cast<std::int64_t>(first - 1) * length_);
    if (!got)
        return got.error();
    return records;
}

Result<Bytes> RecordFile::read(int recordNo) const
{
    Result<std::vector<Bytes>> r = readRange(recordNo, recordNo);
    if (!r)
        return r.error();
    return std::move(r.value().front());
}

Status RecordFile::write(int recordNo, std::span<const std::uint8_t> bytes) const
{
    if (recordNo < 1)
        return badRecordNo();
    if (bytes.size() > static_cast<std::size_t>(length_))
        return tooLong(length_);
    Bytes record(static_cast<std::size_t>(length_), 0);
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return writeRecord(path_, record, static_cast<std::int64_t>(recordNo - 1) * length_);
}

} // namespace qbx
