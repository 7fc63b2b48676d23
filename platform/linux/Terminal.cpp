#include "Terminal.h"

#include <QStandardPaths>

namespace qbx {
namespace {

QString findTerminal()
{
    QString found = QStandardPaths::findExecutable(QStringLiteral("x-terminal-emulator"));
    if (found.isEmpty()) {
        const QString chosen = qEnvironmentVariable("TERMINAL").trimmed();
        if (!chosen.isEmpty())
            found = QStandardPaths::findExecutable(chosen);
    }
    // Terminals that all take -e followed by the program and its arguments.
    static const char* const kKnown[] = {"xterm",         "gnome-terminal", "konsole",    "xfce4-terminal",
                                         "mate-terminal", "lxterminal",     "terminator", "urxvt",
                                         "rxvt",          "alacritty",      "st"};
    for (const char* name : kKnown) {
        if (!found.isEmpty())
            break;
        found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    }
    return found;
}

} // namespace

QStringList inTerminal(const QStringList& argv)
{
    const QString terminal = findTerminal();
    if (terminal.isEmpty())
        return {};
    return QStringList{terminal, QStringLiteral("-e")} + argv;
}

} // namespace qbx
