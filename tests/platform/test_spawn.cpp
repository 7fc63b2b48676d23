// A started program runs apart from us: in its working folder, on /dev/null, in a session of its
// own, with none of our files open and without our startup-notification variables; it is reaped
// when it ends.

#include "linux/Spawn.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray waitForFile(const QString& path)
{
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly) && f.size() > 0)
            return f.readAll();
        QThread::msleep(20);
    }
    return {};
}

} // namespace

TEST(Spawn, TheProgramRunsApartAndIsReaped)
{
    QTemporaryDir dir;
    const QString script = dir.filePath("probe.sh");
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        // Everything is gathered first and the file appears in one go.
        f.write("#!/bin/sh\n"
                "i=$(readlink /proc/$$/fd/0); o=$(readlink /proc/$$/fd/1); e=$(readlink /proc/$$/fd/2)\n"
                "n=$(ls /proc/self/fd | wc -l)\n"
                "v=$(env | grep -c -E '^(DESKTOP_STARTUP_ID|XDG_ACTIVATION_TOKEN)=')\n"
                "s=$(awk '{ print ($6 == $1) }' /proc/$$/stat)\n"
                "printf '%s\\n' \"$(pwd)\" \"$i\" \"$o\" \"$e\" \"$n\" \"$v\" \"$s\" > \"$1.tmp\"\n"
                "mv \"$1.tmp\" \"$1\"\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QString work = dir.filePath("work folder");
    ASSERT_TRUE(QDir().mkpath(work));
    qputenv("DESKTOP_STARTUP_ID", "ours_TIME0");
    qputenv("XDG_ACTIVATION_TOKEN", "ours");
    const int leak = ::open("/dev/null", O_RDONLY); // without close-on-exec
    ASSERT_GE(leak, 0);

    qbx::ChildReaper reaper;
    QString why;
    ASSERT_TRUE(qbx::spawnDetached({script, dir.filePath("report")}, work, reaper, why)) << why.toStdString();
    ::close(leak);
    qunsetenv("DESKTOP_STARTUP_ID");
    qunsetenv("XDG_ACTIVATION_TOKEN");
    const QList<QByteArray> lines = waitForFile(dir.filePath("report")).trimmed().split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], QFile::encodeName(QDir(work).canonicalPath()));
    EXPECT_EQ(lines[1], "/dev/null");
    EXPECT_EQ(lines[2], "/dev/null");
    EXPECT_EQ(lines[3], "/dev/null");
    EXPECT_EQ(lines[4].trimmed(), "4") << "0-2 and the folder ls reads: nothing of ours";
    EXPECT_EQ(lines[5], "0") << "our startup-notification variables stay ours";
    EXPECT_EQ(lines[6], "1") << "a session of its own";

    // Ended, it is waited for: no zombie stays behind.
    QDeadlineTimer deadline(10000);
    while (reaper.running() > 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    EXPECT_EQ(reaper.running(), 0);
}

TEST(Spawn, AFailedStartSaysWhy)
{
    QTemporaryDir dir;
    qbx::ChildReaper reaper;
    QString why;
    EXPECT_FALSE(qbx::spawnDetached({dir.filePath("missing")}, dir.path(), reaper, why));
    EXPECT_FALSE(why.isEmpty());
    EXPECT_FALSE(qbx::spawnDetached({QStringLiteral("/bin/true")}, dir.filePath("gone"), reaper, why))
        << "a working folder that is gone";
    EXPECT_TRUE(qbx::spawnDetached({QStringLiteral("true")}, dir.path(), reaper, why)) << "found on PATH";
    EXPECT_EQ(reaper.running(), 1);
}
