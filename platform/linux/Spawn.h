#pragma once
// Starting a program detached, without a shell, and reaping it when it ends.
//
//   qbx::ChildReaper reaper;               // one per process that starts programs
//   QString why;
//   if (qbx::spawnDetached({"/usr/bin/gedit", "a b.txt"}, QDir::homePath(), reaper, why)) ...
//
// The program runs in `workingDir` with stdin, stdout and stderr on /dev/null, in a session of its
// own (a signal to our terminal or process group does not reach it), with the default signal
// handling and no blocked signals, and with this process's environment except the desktop's
// startup-notification variables, which belonged to our own start; a non-empty `startupId` is
// given to it as DESKTOP_STARTUP_ID instead. Nothing of ours stays open in it. `false` with `why` filled when
// it could not be started (no such file, not executable, a folder that is gone): the start fails before
// anything runs. `ended`, when given, hears the program's exit status once it has ended (on the
// reaper's thread; -1 when a signal ended it).

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

#include <sys/types.h>

namespace qbx {

// Waits for the programs we started, so that none stays behind as a zombie. The wait costs no
// wakeups: it is a file descriptor that becomes readable when the program ends (pidfd), else a
// thread that sleeps in waitpid.
class ChildReaper : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void watch(pid_t pid, std::function<void(int exitStatus)> ended = {});
    // Programs started and not yet ended (for tests).
    int running() const { return running_; }

private:
    int running_ = 0;
};

bool spawnDetached(const QStringList& argv, const QString& workingDir, ChildReaper& reaper, QString& why,
                   const QString& startupId = {}, std::function<void(int exitStatus)> ended = {});

} // namespace qbx
