// The core's system settings: start at login, the start mode and the hide delays.

#include "Launcher.h"

#include "platform/Paths.h"

#include <QCoreApplication>

namespace qbx {

void Launcher::beginSettingsRound()
{
    // The login entry starts the program that is running now, from wherever its folder is.
    settingsRound_.emplace(state_.settings, state_.settingsFile(), desktop_,
                           QCoreApplication::applicationFilePath(), pathText(state_.file("exe13.ico")));
}

SettingsChoices& Launcher::settingsRound()
{
    if (!settingsRound_)
        beginSettingsRound();
    return *settingsRound_;
}

void Launcher::chooseStartMode(int option)
{
    settingsRound().chooseStartMode(option);
}

void Launcher::chooseMainDelay(int seconds)
{
    settingsRound().chooseMainDelay(seconds);
    emit hideDelaysChanged(state_.settings.mainHideDelayMs, state_.settings.categoryHideDelayMs);
}

void Launcher::chooseCategoryDelay(int seconds)
{
    settingsRound().chooseCategoryDelay(seconds);
    emit hideDelaysChanged(state_.settings.mainHideDelayMs, state_.settings.categoryHideDelayMs);
}

void Launcher::chooseShortcut(const QString& keys)
{
    settingsRound().chooseShortcut(keys.toStdString());
}

QStringList Launcher::takeSettingsFailures()
{
    return settingsRound().takeMessages();
}

} // namespace qbx
