#pragma once
// What choosing in the system-settings dialog does, without the dialog: the start-at-login entry,
// the start mode and the two hide delays, each kept in memory and written to the settings file at
// once. Every write that fails is told to the user; the in-memory value stays changed for the run.
//
//   qbx::SettingsChoices choices(state.settings, state.settingsFile(), desktop, program, icon);
//   choices.chooseStartMode(2);           // entry on, startMode 2, "启动" written
//   choices.chooseMainDelay(3);           // mainHideDelayMs 3000, "主窗口" written
//   for (const QString& m : choices.takeMessages()) desktop.message(dialog, m);
//
// One object serves one opening of the dialog: a failure already told in it is not told again.

#include "store/Settings.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <filesystem>

namespace qbx {

class Desktop;

inline constexpr int kMainDelayItems = 5;     // "1" … "5" seconds
inline constexpr int kCategoryDelayItems = 3; // "1" … "3" seconds

// The option that shows a start mode: 1-4, or 0 (no option) for any other value.
int startOption(int startMode);

// The item that shows a delay: delayMs / 1000 - 1 rounded to the nearest whole number, halves to
// the even neighbour; -1 (no item) when that falls outside the `items` of the list.
int delayIndex(int delayMs, int items);

class SettingsChoices {
public:
    // `program` is the running program's absolute path, `icon` the icon its entry shows.
    SettingsChoices(Settings& values, std::filesystem::path iniPath, Desktop& desktop, QString program,
                    QString icon);

    // Option 1-3: the program starts at login; option 4: the entry stays, switched off. Then
    // startMode = option, written under "基本设置"/"启动". Both happen even when the other fails.
    void chooseStartMode(int option);
    // The delays in whole seconds as the lists offer them, kept as milliseconds.
    void chooseMainDelay(int seconds);
    void chooseCategoryDelay(int seconds);
    // The find box's key combination in Qt's portable text ("Ctrl+Alt+Space"; empty: none),
    // written under "基本设置"/"快捷键".
    void chooseShortcut(const std::string& keys);

    // The failures to tell the user since the last call, each once per object.
    QStringList takeMessages();

private:
    void writeSetting(const char* section, const char* key, std::int16_t value);
    void notWritten(const char* key, const QString& value);
    void tell(const QString& message);

    Settings& values_;
    std::filesystem::path iniPath_;
    Desktop& desktop_;
    QString program_;
    QString icon_;
    QStringList pending_;
    QSet<QString> told_;
};

} // namespace qbx
