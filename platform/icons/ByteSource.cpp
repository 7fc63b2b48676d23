#include "ByteSource.h"

#include <cstring>
#include <sys/stat.h>

namespace qbx::icons {

bool ByteSource::u16(std::uint64_t offset, std::uint16_t& v) const
{
    std::uint8_t b[2];
    if (!read(offset, b, 2))
        return false;
    v = static_cast<std::uint16_t>(b[0] | (b[1] << 8));
    return true;
}

bool ByteSource::u32(std::uint64_t offset, std::uint32_t& v) const
{
    std::uint8_t b[4];
    if (!read(offset, b, 4))
        return false;
    v = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
        (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    return true;
}

bool ByteSource::bytes(std::uint64_t offset, std::size_t n, std::vector<std::uint8_t>& out) const
{
    if (offset > size() || n > size() - offset)
        return false;
    out.resize(n);
    return n == 0 || read(offset, out.data(), n);
}

bool MemoryByteSource::read(std::uint64_t offset, void* dst, std::size_t n) const
{
    if (offset > n_ || n > n_ - offset)
        return false;
    if (n != 0)
        std::memcpy(dst, data_ + offset, n);
    return true;
}

FileByteSource::FileByteSource(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return;
    f_ = std::fopen(path.c_str(), "rb");
    if (f_)
        size_ = static_cast<std::uint64_t>(st.st_size);
}

FileByteSource::~FileByteSource()
{
    if (f_)
        std::fclose(f_);
}

bool FileByteSource::read(std::uint64_t offset, void* dst, std::size_t n) const
{
    if (!f_ || offset > size_ || n > size_ - offset)
        return false;
    if (n == 0)
        return true;
#ifdef _WIN32
    if (::_fseeki64(f_, static_cast<long long>(offset), SEEK_SET) != 0)
#else
    if (::fseeko(f_, static_cast<off_t>(offset), SEEK_SET) != 0)
#endif
        return false;
    return std::fread(dst, 1, n, f_) == n;
}

} // namespace qbx::icons
