#include "Spawn.h"

#include "platform/Logging.h"

#include <QCoreApplication>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qbx {
namespace {

// The variables that tell a desktop which start a window answers; ours are not the child's.
bool isStartupNotification(const char* entry)
{
    return std::strncmp(entry, "DESKTOP_STARTUP_ID=", 19) == 0 ||
           std::strncmp(entry, "XDG_ACTIVATION_TOKEN=", 21) == 0;
}

int openPidFd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    errno = ENOSYS;
    return -1;
#endif
}

// The file actions and attributes of one start, released whatever happens.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    SpawnSetup()
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attr);
    }
    ~SpawnSetup()
    {
        posix_spawnattr_destroy(&attr);
        posix_spawn_file_actions_destroy(&actions);
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
};

// Collects an ended child; its exit status, or -1 when a signal ended it.
int reap(pid_t pid, int options)
{
    int status = 0;
    while (::waitpid(pid, &status, options) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

void ChildReaper::watch(pid_t pid, std::function<void(int exitStatus)> ended)
{
    ++running_;
    const int fd = openPidFd(pid);
    if (fd < 0) {
        // Without pidfds (kernels before 5.3) a thread sleeps until the program ends; the end is
        // told on the application's thread, where the reaper lives, as with a pidfd.
        std::thread([pid, ended = std::move(ended), guard = QPointer<ChildReaper>(this)] {
            const int status = reap(pid, 0);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [guard, ended, status] {
                    if (!guard)
                        return;
                    --guard->running_;
                    if (ended)
                        ended(status);
                },
                Qt::QueuedConnection);
        }).detach();
        return;
    }
    ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this, notifier, pid, fd, ended = std::move(ended)] {
        const int status = reap(pid, WNOHANG);
        notifier->setEnabled(false);
        notifier->deleteLater();
        ::close(fd);
        --running_;
        if (ended)
            ended(status);
    });
}

bool spawnDetached(const QStringList& argv, const QString& workingDir, ChildReaper& reaper, QString& why,
                   const QString& startupId, std::function<void(int exitStatus)> ended)
{
    if (argv.isEmpty() || argv.front().isEmpty()) {
        why = QStringLiteral("no program");
        return false;
    }
    std::vector<QByteArray> args;
    args.reserve(static_cast<std::size_t>(argv.size()));
    for (const QString& a : argv)
        args.push_back(QFile::encodeName(a));
    std::vector<char*> argp;
    for (QByteArray& a : args)
        argp.push_back(a.data());
    argp.push_back(nullptr);
    std::vector<char*> envp;
    for (char** e = environ; e && *e; ++e)
        if (!isStartupNotification(*e))
            envp.push_back(*e);
    QByteArray startupVariable;
    if (!startupId.isEmpty()) {
        startupVariable = "DESKTOP_STARTUP_ID=" + startupId.toUtf8();
        envp.push_back(startupVariable.data());
    }
    envp.push_back(nullptr);
    const QByteArray dir = QFile::encodeName(workingDir);

    SpawnSetup s;
    posix_spawn_file_actions_addopen(&s.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&s.actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&s.actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addclosefrom_np(&s.actions, 3);
    if (!dir.isEmpty())
        posix_spawn_file_actions_addchdir_np(&s.actions, dir.constData());
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&s.attr, &none);
    posix_spawnattr_setsigdefault(&s.attr, &all);
    posix_spawnattr_setflags(&s.attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSID);

    // A bare name is looked up on PATH, as an Exec line's program is.
    pid_t pid = -1;
    const int err = argv.front().contains(u'/')
                        ? posix_spawn(&pid, argp[0], &s.actions, &s.attr, argp.data(), envp.data())
                        : posix_spawnp(&pid, argp[0], &s.actions, &s.attr, argp.data(), envp.data());
    if (err != 0) {
        why = QString::fromLocal8Bit(std::strerror(err));
        return false;
    }
    reaper.watch(pid, std::move(ended));
    return true;
}

} // namespace qbx
