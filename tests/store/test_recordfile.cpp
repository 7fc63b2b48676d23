// Record files on disk: placement of records, zero padding, creation and failures.

#include "store/RecordFile.h"
#include "tests/support/WriteLimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;
using qbx::Bytes;
using qbx::RecordFile;
using qbx::StoreErrorCode;

namespace {

class RecordFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("qbx-recordfile-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static Bytes fileBytes(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    fs::path dir;
};

} // namespace

TEST_F(RecordFileTest, MissingFileIsCreatedEmptyAndReadsZeros)
{
    const RecordFile f(dir / "yfrj.dat", 450);
    const auto r = f.read(775);
    ASSERT_TRUE(r.ok()) << r.error().message;
    EXPECT_EQ(r.value(), Bytes(450, 0));
    EXPECT_TRUE(fs::exists(f.path()));
    EXPECT_EQ(fs::file_size(f.path()), 0u);
}

TEST_F(RecordFileTest, RecordsSitAtTheirNumberAndArePaddedWithZeros)
{
    const RecordFile f(dir / "zhrj.dat", 180);
    ASSERT_TRUE(f.write(3, Bytes(50, 0xAB)).ok());
    Bytes file = fileBytes(f.path());
    ASSERT_EQ(file.size(), 540u);
    Bytes expected(540, 0);
    std::fill(expected.begin() + 360, expected.begin() + 410, 0xAB);
    EXPECT_EQ(file, expected);

    // A shorter record overwrites the whole length; other records stay as they were.
    ASSERT_TRUE(f.write(1, Bytes(180, 0x11)).ok());
    ASSERT_TRUE(f.write(1, Bytes(2, 0x22)).ok());
    file = fileBytes(f.path());
    std::fill(expected.begin(), expected.begin() + 2, 0x22);
    EXPECT_EQ(file, expected);

    const auto range = f.readRange(1, 4);
    ASSERT_TRUE(range.ok());
    ASSERT_EQ(range.value().size(), 4u);
    EXPECT_EQ(range.value()[0], Bytes(expected.begin(), expected.begin() + 180));
    EXPECT_EQ(range.value()[2], Bytes(expected.begin() + 360, expected.end()));
    EXPECT_EQ(range.value()[3], Bytes(180, 0));
    EXPECT_EQ(f.read(3).value(), range.value()[2]);
}

TEST_F(RecordFileTest, AFileCutInsideARecordReadsTheRestAsZeros)
{
    {
        std::ofstream out(dir / "wfrj.dat", std::ios::binary);
        out << std::string(500, 'x');
    }
    const RecordFile f(dir / "wfrj.dat", 450);
    const auto r = f.read(2);
    ASSERT_TRUE(r.ok());
    Bytes expected(450, 0);
    std::fill(expected.begin(), expected.begin() + 50, 'x');
    EXPECT_EQ(r.value(), expected);
}

TEST_F(RecordFileTest, LongRangesReadEveryRecordInPlace)
{
    // More records than one read can take at once, the last one cut short by the end of the file.
    const int length = 16;
    Bytes file(1500 * length - 5);
    for (std::size_t i = 0; i < file.size(); ++i)
        file[i] = static_cast<std::uint8_t>(i * 7 + i / length);
    {
        std::ofstream out(dir / "long.dat", std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
    const RecordFile f(dir / "long.dat", length);
    const auto r = f.readRange(3, 1600);
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.value().size(), 1598u);
    for (int n = 3; n <= 1600; ++n) {
        Bytes expected(length, 0);
        for (int b = 0; b < length; ++b) {
            const std::size_t at = static_cast<std::size_t>((n - 1) * length + b);
            if (at < file.size())
                expected[static_cast<std::size_t>(b)] = file[at];
        }
        ASSERT_EQ(r.value()[static_cast<std::size_t>(n - 3)], expected) << "record " << n;
    }
}

TEST_F(RecordFileTest, FailuresAreReportedNeverSuccess)
{
    fs::create_directories(dir / "folder.dat");
    const RecordFile folder(dir / "folder.dat", 450);
    EXPECT_EQ(folder.read(1).error().code, StoreErrorCode::Io);
    EXPECT_EQ(folder.write(1, Bytes(10, 1)).error().code, StoreErrorCode::Io);

    const RecordFile nowhere(dir / "missing" / "yfrj.dat", 450);
    EXPECT_FALSE(nowhere.read(1).ok());
    const auto w = nowhere.write(1, Bytes(10, 1));
    ASSERT_FALSE(w.ok());
    EXPECT_EQ(w.error().message, "无法打开文件 yfrj.dat：文件夹不存在");

    {
        std::ofstream(dir / "plain");
    }
    const RecordFile underFile(dir / "plain" / "x.dat", 450);
    EXPECT_FALSE(underFile.write(1, Bytes(1, 1)).ok());

    const RecordFile f(dir / "yfrj.dat", 450);
    EXPECT_FALSE(f.write(0, Bytes(1, 1)).ok());
    EXPECT_FALSE(f.read(0).ok());
    EXPECT_EQ(f.write(1, Bytes(451, 1)).error().code, StoreErrorCode::TooLong);
    EXPECT_FALSE(fs::exists(f.path())); // refused accesses touch nothing
}

TEST_F(RecordFileTest, AWriteThatFailsHalfWayIsReportedAndTheNextStillWorks)
{
    QBX_NEEDS_WRITE_LIMIT();
    const RecordFile f(dir / "yfrj.dat", 450);
    ASSERT_TRUE(f.write(1, Bytes(450, 1)).ok());
    {
        qbx::testing::WriteLimit full(450 + 100); // record 2 gets 100 bytes, then the disk is full
        const auto w = f.write(2, Bytes(450, 2));
        ASSERT_FALSE(w.ok());
        EXPECT_EQ(w.error().code, StoreErrorCode::Io);
        EXPECT_TRUE(f.write(1, Bytes(10, 3)).ok()) << "a record inside the file can still be written";
    }
    EXPECT_TRUE(f.write(2, Bytes(450, 2)).ok());
    EXPECT_EQ(fileBytes(f.path()).size(), 900u);
}
