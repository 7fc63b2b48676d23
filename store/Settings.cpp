// Start-up reading of the settings file.

#include "Settings.h"

#include "Ini.h"

namespace qbx {
namespace {

void readInto(std::int16_t& target, const char* section, const char* key, std::int16_t def,
              const std::filesystem::path& iniPath)
{
    if (const std::optional<std::int16_t> v = readIniInt(section, key, def, iniPath))
        target = *v;
}

} // namespace

void readSettings(const std::filesystem::path& iniPath, Settings& values)
{
    // A start mode that does not fit reads as 0, which starts like "不开机启动": shown, auto-hide on.
    values.startMode = readIniInt(kSectionBasic, kKeyStartMode, 1, iniPath).value_or(0);
    readInto(values.mainHideDelayMs, kSectionHide, kKeyMainDelay, 3000, iniPath);
    readInto(values.categoryHideDelayMs, kSectionHide, kKeyCategoryDelay, 1000, iniPath);
    readInto(values.wcount, kSectionBasic, kKeyWcount, 0, iniPath);
    readInto(values.ycount, kSectionBasic, kKeyYcount, 0, iniPath);
    readInto(values.zhcount, kSectionBasic, kKeyZhcount, 0, iniPath);
    values.shortcut = readIniText(kSectionBasic, kKeyShortcut, iniPath).value_or(kDefaultShortcut);
}

} // namespace qbx
