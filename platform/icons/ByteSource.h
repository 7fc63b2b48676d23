#pragma once
// Random-access bytes for the icon readers: a file read piece by piece (executables can be large,
// only their headers and resources are needed) or a block in memory (tests, the fuzzer).
// Every read is checked: a read past the end fails instead of returning short data.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace qbx::icons {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // Copies exactly n bytes from offset into dst; false (dst untouched or partly written) when
    // any of them lies outside the source or cannot be read.
    virtual bool read(std::uint64_t offset, void* dst, std::size_t n) const = 0;

    bool u8(std::uint64_t offset, std::uint8_t& v) const { return read(offset, &v, 1); }
    bool u16(std::uint64_t offset, std::uint16_t& v) const;
    bool u32(std::uint64_t offset, std::uint32_t& v) const;
    bool bytes(std::uint64_t offset, std::size_t n, std::vector<std::uint8_t>& out) const;
};

class MemoryByteSource final : public ByteSource {
public:
    MemoryByteSource(const std::uint8_t* data, std::size_t n) : data_(data), n_(n) {}
    explicit MemoryByteSource(const std::vector<std::uint8_t>& v) : data_(v.data()), n_(v.size()) {}
    std::uint64_t size() const override { return n_; }
    bool read(std::uint64_t offset, void* dst, std::size_t n) const override;

private:
    const std::uint8_t* data_;
    std::size_t n_;
};

class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::string& path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool isOpen() const { return f_ != nullptr; }
    std::uint64_t size() const override { return size_; }
    bool read(std::uint64_t offset, void* dst, std::size_t n) const override;

private:
    std::FILE* f_ = nullptr;
    std::uint64_t size_ = 0;
};

} // namespace qbx::icons
