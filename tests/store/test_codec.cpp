// Record layouts pinned with bytes written out by hand, and decoding of damaged records.

#include "store/RecordCodec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using qbx::Bytes;
using qbx::ComboEntry;
using qbx::DecodeReport;
using qbx::ProgramEntry;
using qbx::StoreErrorCode;

namespace {

// A filed program as "yfrj.dat" holds it: name "记事本", path "C:\a.exe", major "办公",
// minor "其它 " (its trailing blank included), title "程序", removed (useCounter -1).
const Bytes kProgramBytes = {
    0x06, 0x00, 0xBC, 0xC7, 0xCA, 0xC2, 0xB1, 0xBE,           // name
    0x08, 0x00, 'C',  ':',  '\\', 'a',  '.',  'e',  'x', 'e', // exePath
    0x04, 0x03, 0x02, 0x01,                                   // reserved1
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08,           // reserved2
    0,    0,    0,    0,    0,    0,    0,    0,              // reserved3
    0,    0,    0,    0,    0,    0,    0,    0,              // reserved4
    0x03, 0x00, 0x00, 0x00,                                   // recordNo 3
    0x01, 0x00, 0x04, 0x00, 0x02, 0x00,                       // major 1, minor 4, slot 2
    0x04, 0x00, 0xB0, 0xEC, 0xB9, 0xAB,                       // majorName
    0x05, 0x00, 0xC6, 0xE4, 0xCB, 0xFC, 0x20,                 // minorName
    0x04, 0x00, 0xB3, 0xCC, 0xD0, 0xF2,                       // title
    0xFF, 0xFF, 0xFF, 0xFF,                                   // useCounter -1
    0x00, 0x00,                                               // description
    0,    0,    0,    0,    0,    0,    0,    0,              // reserved5
};

ProgramEntry programEntry()
{
    ProgramEntry e;
    e.name = "记事本";
    e.exePath = "C:\\a.exe";
    e.reserved1 = 0x01020304;
    e.reserved2 = {1, 2, 3, 4, 5, 6, 7, 8};
    e.recordNo = 3;
    e.major = 1;
    e.minor = 4;
    e.slot = 2;
    e.majorName = "办公";
    e.minorName = "其它 ";
    e.title = "程序";
    e.useCounter = -1;
    return e;
}

// Combination "组合" of group "常用", members records 3 and 256.
const Bytes kComboBytes = {
    0x04, 0x00, 0xD7, 0xE9, 0xBA, 0xCF,                                                 // name
    0x02, 0x00, 0x00, 0x00,                                                             // useCounter 2
    0x07, 0x00, 0x00, 0x00,                                                             // recordNo 7
    0x03, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, // programs
    0x02, 0x00,                                                                         // programCount
    0x02, 0x00, 'a',  'b',                                                              // description
    0x04, 0x00, 0x01, 0x00,                                                             // group 4, position 1
    0x04, 0x00, 0xB3, 0xA3, 0xD3, 0xC3,                                                 // groupName
};

ComboEntry comboEntry()
{
    ComboEntry e;
    e.name = "组合";
    e.useCounter = 2;
    e.recordNo = 7;
    e.programs = {3, 256, 0, 0, 0};
    e.programCount = 2;
    e.description = "ab";
    e.group = 4;
    e.position = 1;
    e.groupName = "常用";
    return e;
}

template <typename Entry>
Entry decoded(const Bytes& b, DecodeReport* report = nullptr)
{
    Entry e;
    qbx::decodeRecord(b, e, report);
    return e;
}

} // namespace

TEST(RecordCodec, ProgramRecordLayout)
{
    const auto enc = qbx::encodeRecord(programEntry());
    ASSERT_TRUE(enc.ok()) << enc.error().message;
    EXPECT_EQ(enc.value(), kProgramBytes);
    DecodeReport report;
    EXPECT_EQ(decoded<ProgramEntry>(kProgramBytes, &report), programEntry());
    EXPECT_FALSE(report.truncated);
    EXPECT_FALSE(report.textNotGbk);
    EXPECT_EQ(decoded<ProgramEntry>(kProgramBytes).minorName, "其它 ");
}

TEST(RecordCodec, ComboRecordLayout)
{
    const auto enc = qbx::encodeRecord(comboEntry());
    ASSERT_TRUE(enc.ok()) << enc.error().message;
    EXPECT_EQ(enc.value(), kComboBytes);
    EXPECT_EQ(decoded<ComboEntry>(kComboBytes), comboEntry());
}

TEST(RecordCodec, EmptyRecordsHaveTheFixedLengthAndReadBackEmpty)
{
    const auto p = qbx::encodeRecord(ProgramEntry{});
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.value(), Bytes(62, 0));
    EXPECT_EQ(decoded<ProgramEntry>(p.value()), ProgramEntry{});
    const auto c = qbx::encodeRecord(ComboEntry{});
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(c.value(), Bytes(40, 0));
    EXPECT_EQ(decoded<ComboEntry>(c.value()), ComboEntry{});
    // A record past the end of a file is no bytes at all.
    EXPECT_EQ(decoded<ProgramEntry>({}), ProgramEntry{});
    EXPECT_EQ(decoded<ComboEntry>({}), ComboEntry{});
}

TEST(RecordCodec, StringsFitUpToTheRecordLength)
{
    ProgramEntry e;
    e.exePath = std::string(200, 'p');
    auto r = qbx::encodeRecord(e);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().size(), 262u);

    e.exePath = std::string(188, 'p');
    e.title = std::string(100, 't');
    e.description = std::string(100, 'd'); // 388 bytes of text: exactly 450
    r = qbx::encodeRecord(e);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value().size(), 450u);

    e.name = "x"; // 389
    r = qbx::encodeRecord(e);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().code, StoreErrorCode::TooLong);
    EXPECT_EQ(r.error().message, "记录超过 450 字节，无法保存");

    e = {};
    e.title = std::string(300, 't');
    e.description = std::string(300, 'd'); // each fits alone, not together
    EXPECT_EQ(qbx::encodeRecord(e).error().code, StoreErrorCode::TooLong);

    ComboEntry c;
    c.description = std::string(140, 'd');
    EXPECT_TRUE(qbx::encodeRecord(c).ok());
    c.groupName = "常"; // two more bytes
    const auto cr = qbx::encodeRecord(c);
    ASSERT_FALSE(cr.ok());
    EXPECT_EQ(cr.error().code, StoreErrorCode::TooLong);
}

TEST(RecordCodec, TextGbkCannotHoldNamesTheField)
{
    ProgramEntry e = programEntry();
    e.title = "한글";
    auto r = qbx::encodeRecord(e);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().code, StoreErrorCode::NotGbk);
    EXPECT_EQ(r.error().message, "程序标题含有无法保存的字符（GBK 无法表示）");

    ComboEntry c = comboEntry();
    c.groupName = "\U0001F600";
    const auto cr = qbx::encodeRecord(c);
    ASSERT_FALSE(cr.ok());
    EXPECT_EQ(cr.error().message, "组合类别名含有无法保存的字符（GBK 无法表示）");
}

TEST(RecordCodec, ShortRecordReadsMissingBytesAsZeros)
{
    DecodeReport report;
    const Bytes head(kProgramBytes.begin(), kProgramBytes.begin() + 13);
    const ProgramEntry e = decoded<ProgramEntry>(head, &report);
    EXPECT_EQ(e.name, "记事本");
    EXPECT_EQ(e.exePath, "C:\\");
    EXPECT_TRUE(report.truncated);
    EXPECT_EQ(e.recordNo, 0);
    EXPECT_EQ(e.title, "");

    // Cut inside the fixed fields: the integers read what is there, then zeros.
    const Bytes toMajor(kProgramBytes.begin(), kProgramBytes.begin() + 52);
    DecodeReport r2;
    const ProgramEntry f = decoded<ProgramEntry>(toMajor, &r2);
    EXPECT_EQ(f.recordNo, 3);
    EXPECT_EQ(f.major, 1);
    EXPECT_EQ(f.minor, 0);
    EXPECT_FALSE(r2.truncated);
}

TEST(RecordCodec, CorruptedLengthsAreCutAtTheRecordEnd)
{
    // A name claiming 65535 bytes in a full 450-byte record takes the rest of the record.
    Bytes rec(450, 'n');
    rec[0] = 0xFF;
    rec[1] = 0xFF;
    DecodeReport report;
    const ProgramEntry e = decoded<ProgramEntry>(rec, &report);
    EXPECT_EQ(e.name, std::string(448, 'n'));
    EXPECT_TRUE(report.truncated);
    EXPECT_EQ(e.useCounter, 0);

    // Bytes after the record length are not part of the record.
    Bytes longer(200, 'g');
    longer[0] = 172; // name in bytes 2-173, useCounter 174-177, recordNo 178-181
    longer[1] = 0;
    DecodeReport r2;
    const ComboEntry c = decoded<ComboEntry>(longer, &r2);
    EXPECT_EQ(c.name, std::string(172, 'g'));
    EXPECT_EQ(c.useCounter, 0x67676767);
    EXPECT_EQ(c.recordNo, 0x6767); // the record ends after byte 179
    EXPECT_EQ(c.programs[0], 0);
    EXPECT_TRUE(c.groupName.empty());
    EXPECT_FALSE(r2.truncated);
}

TEST(RecordCodec, DamagedTextReadsAndWritesBackByteForByte)
{
    Bytes rec = kProgramBytes;
    rec[71] = 0xFF; // first byte of the title "程序"
    DecodeReport report;
    const ProgramEntry e = decoded<ProgramEntry>(rec, &report);
    EXPECT_TRUE(report.textNotGbk);
    const auto back = qbx::encodeRecord(e);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), rec);
}
