// Where the data files live and how a user's data folder is prepared from a read-only install.

#include "store/DataFolder.h"
#include "tests/support/CatalogueFixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace qbx {
namespace {

using namespace qbx::testing;
namespace fs = std::filesystem;

void put(const fs::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

std::string got(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DataFolder, AWritableProgramFolderKeepsItsData)
{
    ScratchDir program;
    EXPECT_EQ(dataFolderFor(program.path()), program.path());
    std::string why;
    EXPECT_TRUE(prepareDataFolder(program.path(), program.path(), why));
    EXPECT_TRUE(fs::is_empty(program.path())); // nothing is copied onto itself
}

TEST(DataFolder, AnInstalledCopyKeepsDataInTheHomeEvenWhereItMayWrite)
{
    ScratchDir program;
    put(program.path() / kInstalledCopyMarker, "");
    EXPECT_NE(dataFolderFor(program.path()), program.path());
    EXPECT_EQ(dataFolderFor(program.path()).filename(), "quillbox");
}

TEST(DataFolder, TheUserFolderStartsFromTheShippedFilesAndTakesChanges)
{
    ScratchDir program, home;
    put(program.path() / "yfrj.dat", std::string(450, 'a'));
    put(program.path() / fs::u8path("基本设置.ini"), "[x]\r\n");
    put(program.path() / "click.wav", "RIFF"); // the program's own files stay where they are
    fs::permissions(program.path() / "yfrj.dat", fs::perms::owner_read | fs::perms::group_read);
    const fs::path data = home.path() / "deep" / "quillbox";

    std::string why;
    ASSERT_TRUE(prepareDataFolder(program.path(), data, why)) << why;
    EXPECT_EQ(got(data / "yfrj.dat"), std::string(450, 'a'));
    EXPECT_EQ(got(data / fs::u8path("基本设置.ini")), "[x]\r\n");
    EXPECT_FALSE(fs::exists(data / "click.wav"));
    EXPECT_FALSE(fs::exists(data / "zhrj.dat"));
    EXPECT_NE(fs::status(data / "yfrj.dat").permissions() & fs::perms::owner_write, fs::perms::none);

    // Once the user has data, the shipped files never replace it.
    put(data / "yfrj.dat", "mine");
    fs::remove(data / fs::u8path("基本设置.ini"));
    ASSERT_TRUE(prepareDataFolder(program.path(), data, why)) << why;
    EXPECT_EQ(got(data / "yfrj.dat"), "mine");
    EXPECT_FALSE(fs::exists(data / fs::u8path("基本设置.ini")));
}

TEST(DataFolder, AFolderThatCannotBeMadeIsReported)
{
    ScratchDir program;
    put(program.path() / "file", "x");
    std::string why;
    EXPECT_FALSE(prepareDataFolder(program.path(), program.path() / "file" / "quillbox", why));
    EXPECT_FALSE(why.empty());
}

} // namespace
} // namespace qbx
