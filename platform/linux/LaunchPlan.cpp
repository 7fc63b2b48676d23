#include "LaunchPlan.h"

#include "DesktopEntry.h"
#include "Terminal.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace qbx {
namespace {

LaunchPlan refused(const QString& why)
{
    LaunchPlan plan;
    plan.refusal = why;
    return plan;
}

bool resolves(const QString& program)
{
    if (QFileInfo(program).isAbsolute())
        return QFileInfo(program).isExecutable();
    return !QStandardPaths::findExecutable(program).isEmpty();
}

LaunchPlan planEntry(const QString& path)
{
    const auto e = readDesktopEntry(path);
    if (!e)
        return refused(QStringLiteral("not a readable desktop entry"));
    if (e->type.isEmpty())
        return refused(QStringLiteral("the entry has no Type"));
    LaunchPlan plan;
    if (e->type == QStringLiteral("Link")) {
        if (e->url.isEmpty())
            return refused(QStringLiteral("the link entry has no URL"));
        plan.url = e->url;
        return plan;
    }
    if (e->type != QStringLiteral("Application"))
        return refused(QStringLiteral("the entry's Type is ") + e->type);
    if (!e->tryExec.isEmpty() && !resolves(e->tryExec))
        return refused(QStringLiteral("not installed: TryExec ") + e->tryExec +
                       QStringLiteral(" is not there"));
    const auto argv = expandExec(e->exec, *e, path);
    if (!argv || argv->isEmpty() || argv->front().isEmpty())
        return refused(QStringLiteral("no valid Exec line"));
    plan.argv = *argv;
    plan.name = e->name;
    plan.icon = e->icon;
    // A terminal running the program does not know about the entry's promise.
    plan.endsOwnStartup = e->startupNotify && !e->terminal;
    if (e->terminal) {
        plan.argv = inTerminal(*argv);
        if (plan.argv.isEmpty())
            return refused(QStringLiteral("no terminal to run it in"));
    }
    if (!e->path.isEmpty()) {
        if (!QFileInfo(e->path).isDir())
            return refused(QStringLiteral("its working folder is not there: ") + e->path);
        plan.workingDir = e->path;
    }
    return plan;
}

} // namespace

LaunchPlan planLaunch(const QString& storedPath)
{
    if (storedPath.isEmpty())
        return refused(QStringLiteral("no path"));
    LaunchPlan plan;
    if (isDesktopEntryPath(storedPath) && QFileInfo(storedPath).isFile())
        plan = planEntry(storedPath);
    else
        plan.argv = QStringList{storedPath}; // the whole stored string: blanks and shell characters included
    if (plan.workingDir.isEmpty())
        plan.workingDir = QDir::homePath();
    return plan;
}

} // namespace qbx
