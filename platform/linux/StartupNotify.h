#pragma once
// The desktop's startup notification on X11: before a program starts, the window manager (and a
// task bar) hears "new:" for a launch id, shows a busy pointer or a pending button, and matches the
// program's first window to the launch by the id the program finds in DESKTOP_STARTUP_ID. A program
// whose desktop entry says StartupNotify=true ends the launch itself when its window is up; for all
// others we send "remove:" shortly after the start, so no busy pointer stays.
//
//   qbx::StartupNotifier notifier;
//   const QString id = notifier.begin(plan);   // empty when not on X11
//   spawn with DESKTOP_STARTUP_ID=id ...; then notifier.endLater(id) or, when the start failed, end(id)
//
// On Wayland the desktop hands out activation tokens (XDG_ACTIVATION_TOKEN) only through its own
// protocol; nothing is sent there and the program gets no id.

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

namespace qbx {

struct LaunchPlan;

using StartupField = QPair<QString, QString>;

// One message: "new: ID=abc NAME=\"Text Editor\"". A value holding blanks, double quotes or
// backslashes is quoted, its quotes and backslashes escaped with a backslash.
QByteArray startupMessage(const QString& kind, const QList<StartupField>& fields);

// The message as the 20-byte pieces of the client messages that carry it: the closing nul byte
// included, the last piece padded with nuls.
QList<QByteArray> startupChunks(const QByteArray& message);

// A launch id unique to this process and start: "qbx-<pid>-<n>_TIME<serverTime>", the time of
// the input that asked for the start.
QString newStartupId(unsigned long serverTime = 0);

// The fields of a launch's "new:" message for `plan` under `id`.
QList<StartupField> startupFields(const LaunchPlan& plan, const QString& id);

class StartupNotifier : public QObject {
    Q_OBJECT
public:
    // Starts watching the user's input times, which launch ids carry.
    explicit StartupNotifier(QObject* parent = nullptr);
    // Launches still waiting for their later end are ended now.
    ~StartupNotifier() override;
    // Announces the start of `plan`; the id to hand to the program, empty when there is no X11 display.
    QString begin(const LaunchPlan& plan);
    // Ends the launch now (the start failed) or a moment later (the program will not end it).
    void end(const QString& id);
    void endLater(const QString& id);

private:
    QStringList pending_; // ids waiting for endLater's moment
};

} // namespace qbx
