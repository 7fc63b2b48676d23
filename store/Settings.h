#pragma once
// The settings the program keeps in "基本设置.ini", held in memory as 16-bit values.

#include <cstdint>
#include <filesystem>
#include <string>

namespace qbx {

inline constexpr const char* kSettingsFileName = "基本设置.ini";
inline constexpr const char* kSectionBasic = "基本设置";
inline constexpr const char* kSectionHide = "自动隐藏时间";
inline constexpr const char* kKeyStartMode = "启动";
inline constexpr const char* kKeyYcount = "ycount";
inline constexpr const char* kKeyZhcount = "zhcount";
inline constexpr const char* kKeyWcount = "wcount";
inline constexpr const char* kKeyMainDelay = "主窗口";
inline constexpr const char* kKeyCategoryDelay = "分类窗口";
// 1 once the user answered the first start's offer to file the installed applications.
inline constexpr const char* kKeyAppsOffered = "应用程序导入";
// The key combination that opens the find box from any program ("Ctrl+Alt+Space"); empty: none.
inline constexpr const char* kKeyShortcut = "快捷键";
inline constexpr const char* kDefaultShortcut = "Ctrl+Alt+Space";

struct Settings {
    std::int16_t startMode = 1;
    std::int16_t mainHideDelayMs = 3000;
    std::int16_t categoryHideDelayMs = 1000;
    std::int16_t ycount = 0;
    std::int16_t zhcount = 0;
    std::int16_t wcount = 0;
    std::string shortcut = kDefaultShortcut;
};

// Reads every key as start-up does; a value above 32767 leaves `values` as it was for that key,
// except the start mode, which then reads as 0.
void readSettings(const std::filesystem::path& iniPath, Settings& values);

} // namespace qbx
