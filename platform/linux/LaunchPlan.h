#pragma once
// How a filed program is started, decided before anything runs: the literal path, or a desktop
// entry read the way the desktop reads it (Type, TryExec, Exec with its field codes, Terminal,
// Path, the URL of a link).
//
//   const qbx::LaunchPlan plan = qbx::planLaunch(stored);
//   if (plan.refusal.isEmpty() && plan.url.isEmpty()) start plan.argv in plan.workingDir

#include <QString>
#include <QStringList>

namespace qbx {

struct LaunchPlan {
    QStringList argv;   // program and arguments (a terminal's command for Terminal=true)
    QString workingDir; // the entry's Path, else the home folder
    QString url;        // a link entry: opened with the default application instead
    QString refusal;    // why nothing can be started (for the log); empty when it can
    QString name;       // the entry's Name and Icon, for the desktop's startup notification
    QString icon;
    bool endsOwnStartup = false; // the program itself tells the desktop it is up (StartupNotify=true)
};

LaunchPlan planLaunch(const QString& storedPath);

} // namespace qbx
