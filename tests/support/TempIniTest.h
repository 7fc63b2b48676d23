#pragma once
// A test with its own empty temporary folder holding one settings file, written and read back as
// bytes. The folder is named after the test, so tests running at once do not share it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace qbx::testing {

class TempIniTest : public ::testing::Test {
protected:
    TempIniTest(std::string folderPrefix, std::filesystem::path fileName)
        : prefix_(std::move(folderPrefix)), fileName_(std::move(fileName))
    {}

    void SetUp() override
    {
        dir = std::filesystem::temp_directory_path() /
              (prefix_ + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        ini = dir / fileName_;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    void put(const std::string& bytes) const
    {
        std::ofstream out(ini, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    std::string content() const
    {
        std::ifstream in(ini, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path dir;
    std::filesystem::path ini;

private:
    std::string prefix_;
    std::filesystem::path fileName_;
};

} // namespace qbx::testing
