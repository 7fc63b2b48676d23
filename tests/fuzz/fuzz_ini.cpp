// Any bytes as the settings file: reading never fails, a key written reads back as written, and
// writing it again leaves the file as it is.

#include "store/Ini.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const fs::path& iniPath()
{
    static const fs::path path = [] {
        const fs::path shm = "/dev/shm";
        std::error_code ec;
        const fs::path dir = fs::is_directory(shm, ec) ? shm : fs::temp_directory_path();
        return dir / ("qbx-fuzz-ini-" + std::to_string(::getpid()) + ".ini");
    }();
    static const bool cleanUp = [] {
        std::atexit([] {
            std::error_code ec;
            fs::remove(path, ec);
        });
        return true;
    }();
    static_cast<void>(cleanUp);
    return path;
}

std::string contents(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "settings file check failed: %s\n", what);
    std::abort();
}

struct Key {
    const char* section;
    const char* key;
};
constexpr Key kKeys[] = {
    {"基本设置", "ycount"}, {"基本设置", "启动"}, {"自动隐藏时间", "主窗口"}, {"a", "K"}};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const fs::path& path = iniPath();
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (const Key& k : kKeys) {
        const std::optional<std::int16_t> v = qbx::readIniInt(k.section, k.key, -5, path);
        if (v && *v < 0 && *v != -5)
            fail("negative value read");
    }

    // Write one key chosen by the input and read it back.
    const Key& k = kKeys[size % std::size(kKeys)];
    const auto value = static_cast<std::int16_t>(size > 1 ? (data[0] | data[1] << 8) : 0);
    if (!qbx::writeIniInt(k.section, k.key, value, path))
        fail("write refused");
    const std::optional<std::int16_t> back = qbx::readIniInt(k.section, k.key, -5, path);
    if (!back || *back != (value < 0 ? 0 : value))
        fail("written value does not read back");

    // Writing the same value again changes nothing.
    const std::string once = contents(path);
    if (!qbx::writeIniInt(k.section, k.key, value, path))
        fail("second write refused");
    if (contents(path) != once)
        fail("a repeated write changed the file");
    return 0;
}
