#include "SettingsChoices.h"

#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "store/Ini.h"

#include <QDir>

#include <cmath>

namespace qbx {

int startOption(int startMode)
{
    return startMode >= 1 && startMode <= 4 ? startMode : 0;
}

int delayIndex(int delayMs, int items)
{
    // Exact in binary for every 16-bit delay: x / 1000 - 1 is a whole number or has a fraction
    // std::nearbyint rounds in the current (default: to nearest, ties to even) mode.
    const double index = std::nearbyint(delayMs / 1000.0 - 1.0);
    return index >= 0 && index < items ? static_cast<int>(index) : -1;
}

SettingsChoices::SettingsChoices(Settings& values, std::filesystem::path iniPath, Desktop& desktop,
                                 QString program, QString icon)
    : values_(values), iniPath_(std::move(iniPath)), desktop_(desktop), program_(std::move(program)),
      icon_(std::move(icon))
{}

void SettingsChoices::chooseStartMode(int option)
{
    if (startOption(option) == 0)
        return;
    const StartAtLoginResult entry = desktop_.setStartAtLogin(program_, icon_, option != 4);
    if (!entry.written) {
        qCInfo(lcStore) << "start-at-login entry" << entry.place << "not written:" << entry.error;
        tell(QStringLiteral("无法写入开机启动项“%1”，开机启动的方式没有改变。")
                 .arg(QDir::toNativeSeparators(entry.place)));
    }
    values_.startMode = static_cast<std::int16_t>(option);
    writeSetting(kSectionBasic, kKeyStartMode, values_.startMode);
}

void SettingsChoices::chooseMainDelay(int seconds)
{
    values_.mainHideDelayMs = static_cast<std::int16_t>(seconds * 1000);
    writeSetting(kSectionHide, kKeyMainDelay, values_.mainHideDelayMs);
}

void SettingsChoices::chooseCategoryDelay(int seconds)
{
    values_.categoryHideDelayMs = static_cast<std::int16_t>(seconds * 1000);
    writeSetting(kSectionHide, kKeyCategoryDelay, values_.categoryHideDelayMs);
}

void SettingsChoices::chooseShortcut(const std::string& keys)
{
    values_.shortcut = keys;
    if (!writeIniText(kSectionBasic, kKeyShortcut, keys, iniPath_))
        notWritten(kKeyShortcut, QString::fromStdString(keys));
}

void SettingsChoices::writeSetting(const char* section, const char* key, std::int16_t value)
{
    if (!writeIniInt(section, key, value, iniPath_))
        notWritten(key, QString::number(value));
}

void SettingsChoices::notWritten(const char* key, const QString& value)
{
    const QString file = pathText(iniPath_);
    qCInfo(lcStore) << "settings file" << file << "not written:" << key << value;
    tell(QStringLiteral("无法把设置保存到“%1”，这次的更改只在本次运行中有效。")
             .arg(QDir::toNativeSeparators(file)));
}

void SettingsChoices::tell(const QString& message)
{
    if (told_.contains(message))
        return;
    told_.insert(message);
    pending_ << message;
}

QStringList SettingsChoices::takeMessages()
{
    QStringList out;
    out.swap(pending_);
    return out;
}

} // namespace qbx
