// Reading and writing the fields of a record in their on-disk order.

#include "RecordCodec.h"

#include "Gbk.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

namespace qbx {
namespace {

// Reads fields from a record held in `bytes`; everything at or past `end` reads as zeros.
class FieldReader {
public:
    FieldReader(std::span<const std::uint8_t> bytes, std::size_t recordLength, DecodeReport* report)
        : bytes_(bytes.first(std::min(bytes.size(), recordLength))), report_(report)
    {}

    std::uint8_t byte()
    {
        const std::uint8_t b = pos_ < bytes_.size() ? bytes_[pos_] : 0;
        ++pos_;
        return b;
    }
    std::int16_t i16()
    {
        const unsigned lo = byte();
        const unsigned hi = byte();
        return static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | hi << 8));
    }
    std::int32_t i32()
    {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k)
            v |= static_cast<std::uint32_t>(byte()) << (8 * k);
        return static_cast<std::int32_t>(v);
    }
    template <std::size_t N>
    void block(std::array<std::uint8_t, N>& out)
    {
        for (auto& b : out)
            b = byte();
    }
    // A counted GBK string; a count running past the record's bytes is cut there.
    void text(std::string& out)
    {
        const std::size_t count = static_cast<std::uint16_t>(i16());
        const std::size_t start = std::min(pos_, bytes_.size());
        const std::size_t available = bytes_.size() - start;
        const std::size_t taken = std::min(count, available);
        if (taken < count && report_)
            report_->truncated = true;
        const std::string_view raw(reinterpret_cast<const char*>(bytes_.data()) + start, taken);
        GbkDecoded d = gbkToUtf8(raw);
        if (!d.valid && report_)
            report_->textNotGbk = true;
        out = std::move(d.utf8);
        pos_ += taken;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
    DecodeReport* report_;
};

// Collects the encoded fields; the first error wins.
class FieldWriter {
public:
    FieldWriter(int recordLength, const char* recordKind) : length_(recordLength), kind_(recordKind)
    {
        out_.reserve(static_cast<std::size_t>(recordLength));
    }
    void byte(std::uint8_t b) { out_.push_back(b); }
    void i16(std::int16_t v)
    {
        const auto u = static_cast<std::uint16_t>(v);
        byte(static_cast<std::uint8_t>(u & 0xFF));
        byte(static_cast<std::uint8_t>(u >> 8));
    }
    void i32(std::int32_t v)
    {
        const auto u = static_cast<std::uint32_t>(v);
        for (int k = 0; k < 4; ++k)
            byte(static_cast<std::uint8_t>(u >> (8 * k)));
    }
    template <std::size_t N>
    void block(const std::array<std::uint8_t, N>& in)
    {
        out_.insert(out_.end(), in.begin(), in.end());
    }
    void text(const std::string& utf8, const char* fieldName)
    {
        if (error_)
            return;
        std::optional<std::string> gbk = utf8ToGbk(utf8);
        if (!gbk) {
            error_ = StoreError{StoreErrorCode::NotGbk,
                                std::string(fieldName) + "含有无法保存的字符（GBK 无法表示）"};
            return;
        }
        if (gbk->size() > static_cast<std::size_t>(length_)) {
            tooLong_ = true;
            return;
        }
        i16(static_cast<std::int16_t>(static_cast<std::uint16_t>(gbk->size())));
        out_.insert(out_.end(), gbk->begin(), gbk->end());
    }
    Result<Bytes> finish()
    {
        if (error_)
            return *error_;
        if (tooLong_ || out_.size() > static_cast<std::size_t>(length_))
            return StoreError{StoreErrorCode::TooLong,
                              std::string(kind_) + "超过 " + std::to_string(length_) + " 字节，无法保存"};
        return std::move(out_);
    }

private:
    Bytes out_;
    int length_;
    const char* kind_;
    bool tooLong_ = false;
    std::optional<StoreError> error_;
};

} // namespace

void decodeRecord(std::span<const std::uint8_t> bytes, ProgramEntry& out, DecodeReport* report)
{
    FieldReader r(bytes, kProgramRecordLength, report);
    r.text(out.name);
    r.text(out.exePath);
    out.reserved1 = r.i32();
    r.block(out.reserved2);
    r.block(out.reserved3);
    r.block(out.reserved4);
    out.recordNo = r.i32();
    out.major = r.i16();
    out.minor = r.i16();
    out.slot = r.i16();
    r.text(out.majorName);
    r.text(out.minorName);
    r.text(out.title);
    out.useCounter = r.i32();
    r.text(out.description);
    r.block(out.reserved5);
}

void decodeRecord(std::span<const std::uint8_t> bytes, ComboEntry& out, DecodeReport* report)
{
    FieldReader r(bytes, kComboRecordLength, report);
    r.text(out.name);
    out.useCounter = r.i32();
    out.recordNo = r.i32();
    for (auto& p : out.programs)
        p = r.i32();
    out.programCount = r.i16();
    r.text(out.description);
    out.group = r.i16();
    out.position = r.i16();
    r.text(out.groupName);
}

Result<Bytes> encodeRecord(const ProgramEntry& e)
{
    FieldWriter w(kProgramRecordLength, "记录");
    w.text(e.name, "程序名");
    w.text(e.exePath, "程序路径");
    w.i32(e.reserved1);
    w.block(e.reserved2);
    w.block(e.reserved3);
    w.block(e.reserved4);
    w.i32(e.recordNo);
    w.i16(e.major);
    w.i16(e.minor);
    w.i16(e.slot);
    w.text(e.majorName, "大类名");
    w.text(e.minorName, "小类名");
    w.text(e.title, "程序标题");
    w.i32(e.useCounter);
    w.text(e.description, "程序说明");
    w.block(e.reserved5);
    return w.finish();
}

Result<Bytes> encodeRecord(const ComboEntry& e)
{
    FieldWriter w(kComboRecordLength, "组合记录");
    w.text(e.name, "组合名");
    w.i32(e.useCounter);
    w.i32(e.recordNo);
    for (std::int32_t p : e.programs)
        w.i32(p);
    w.i16(e.programCount);
    w.text(e.description, "组合说明");
    w.i16(e.group);
    w.i16(e.position);
    w.text(e.groupName, "组合类别名");
    return w.finish();
}

} // namespace qbx
