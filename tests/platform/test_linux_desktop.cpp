// The Linux backend starts programs literally (no shell), desktop entries by their Exec line,
// apart from us, and reports a failed start; the rows of our own properties dialog.

#include "platform/FilePropertiesDialog.h"
#include "platform/linux/EdgeStrut.h"
#include "platform/linux/LinuxDesktop.h"
#include "platform/linux/Spawn.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {

void writeExecutable(const QString& path, const QByteArray& text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Waits (a few seconds at most) for a detached child to leave its marker.
QByteArray waitForFile(const QString& path)
{
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray data = f.readAll();
            if (data.endsWith('\n'))
                return data;
        }
        QThread::msleep(20);
    }
    return {};
}

} // namespace

TEST(LinuxStartProgram, WholeStoredStringIsThePathNoShell)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("odd dir; $(touch PWNED) `touch PWNED2`");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString script = folder + "/run \"me\" & 'now' | $HOME.sh";
    writeExecutable(script, "#!/bin/sh\nprintf '%s|%s\\n' \"$#\" \"$0\" > \"$(dirname \"$0\")/marker\"\n");

    qbx::LinuxDesktop desktop;
    ASSERT_TRUE(desktop.startProgram(script));
    const QByteArray got = waitForFile(folder + "/marker");
    EXPECT_EQ(got, "0|" + script.toUtf8() + "\n") << "started once, with no arguments, by its literal path";
    EXPECT_FALSE(QFile::exists(dir.filePath("PWNED")));
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("PWNED")));
    EXPECT_FALSE(QFile::exists(QDir::current().filePath("PWNED2")));
}

TEST(LinuxStartProgram, FailuresAreReported)
{
    QTemporaryDir dir;
    qbx::LinuxDesktop desktop;
    EXPECT_FALSE(desktop.startProgram(""));
    EXPECT_FALSE(desktop.startProgram(dir.filePath("missing")));
    const QString notExec = dir.filePath("plain.txt");
    QFile f(notExec);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("text");
    f.close();
    EXPECT_FALSE(desktop.startProgram(notExec));
    EXPECT_FALSE(desktop.startProgram(dir.path())) << "a folder";
    EXPECT_FALSE(desktop.startProgram("C:\\Program Files\\x.exe"));
}

TEST(LinuxStartProgram, DesktopEntryRunsItsExecLine)
{
    QTemporaryDir dir;
    const QString script = dir.filePath("my tool.sh");
    writeExecutable(script,
                    "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]' \"$a\"; done > \"$(dirname \"$0\")/args\"\n"
                    "echo >> \"$(dirname \"$0\")/args\"\n");
    const QString entry = dir.filePath("tool.desktop");
    QFile f(entry);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Desktop Entry]\nType=Application\nExec=\"" + script.toUtf8() +
            "\" --title \"a \\\\\"b\\\\\" c\" 50%% %U $(id)\nIcon=x\n");
    f.close();

    EXPECT_EQ(qbx::LinuxDesktop::commandFor(entry),
              (QStringList{script, "--title", "a \"b\" c", "50%", "$(id)"}));
    qbx::LinuxDesktop desktop;
    ASSERT_TRUE(desktop.startProgram(entry));
    EXPECT_EQ(waitForFile(dir.filePath("args")), "[--title][a \"b\" c][50%][$(id)]\n");

    QFile bad(dir.filePath("bad.desktop"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("[Desktop Entry]\nExec=\"unterminated\n");
    bad.close();
    EXPECT_TRUE(qbx::LinuxDesktop::commandFor(dir.filePath("bad.desktop")).isEmpty());
    EXPECT_FALSE(desktop.startProgram(dir.filePath("bad.desktop")));
    // A stored ".desktop" name that is no file is taken literally, and fails.
    EXPECT_EQ(qbx::LinuxDesktop::commandFor(dir.filePath("gone.desktop")),
              QStringList{dir.filePath("gone.desktop")});
}

// A started program runs apart from us: in its working folder, on /dev/null, in a session of its
// own, with none of our files open and without our startup-notification variables; it is reaped
// when it ends.
TEST(Spawn, TheProgramRunsApartAndIsReaped)
{
    QTemporaryDir dir;
    const QString script = dir.filePath("probe.sh");
    // Everything is gathered first and the report appears in one go.
    writeExecutable(script,
                    "#!/bin/sh\n"
                    "i=$(readlink /proc/$$/fd/0); o=$(readlink /proc/$$/fd/1); e=$(readlink /proc/$$/fd/2)\n"
                    "n=$(ls /proc/self/fd | wc -l)\n"
                    "v=$(env | grep -c -E '^(DESKTOP_STARTUP_ID|XDG_ACTIVATION_TOKEN)=')\n"
                    "s=$(awk '{ print ($6 == $1) }' /proc/$$/stat)\n"
                    "printf '%s\\n' \"$(pwd)\" \"$i\" \"$o\" \"$e\" \"$n\" \"$v\" \"$s\" > \"$1.tmp\"\n"
                    "mv \"$1.tmp\" \"$1\"\n");
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

TEST(Spawn, TheEndOfAProgramTellsItsExitStatus)
{
    QTemporaryDir dir;
    qbx::ChildReaper reaper;
    QString why;
    QList<int> heard;
    for (const char* script : {"exit 0", "exit 3", "kill -9 $$"})
        ASSERT_TRUE(qbx::spawnDetached({"/bin/sh", "-c", script}, dir.path(), reaper, why, {},
                                       [&heard](int status) { heard << status; }));
    QDeadlineTimer deadline(10000);
    while (heard.size() < 3 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    std::sort(heard.begin(), heard.end());
    EXPECT_EQ(heard, (QList<int>{-1, 0, 3}));
}

TEST(LinuxDesktop, OpenWithDefaultAppHearsWhenTheOpenerFindsNothing)
{
    qbx::LinuxDesktop desktop;
    EXPECT_FALSE(desktop.openWithDefaultApp(""));
    EXPECT_FALSE(desktop.openWithDefaultApp("/no/such/file.txt"));

    // xdg-open ends with status 3 when it finds no application.
    QTemporaryDir dir;
    writeExecutable(dir.filePath("xdg-open"), "#!/bin/sh\nexit 3\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(dir.path()) + ':' + path);
    const QString text = dir.filePath("介绍 a.txt");
    QFile(text).open(QIODevice::WriteOnly);
    QObject context;
    int failed = 0;
    ASSERT_TRUE(desktop.openWithDefaultApp(text, &context, [&failed] { ++failed; }));
    qputenv("PATH", path);
    QDeadlineTimer deadline(10000);
    while (failed == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(failed, 1);
}

TEST(FileProperties, RowsDescribeTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("数据 file.bin");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1234, 'x'));
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    const auto rows = qbx::FilePropertiesDialog::rowsFor(path);
    QMap<QString, QString> m;
    for (const auto& [k, v] : rows)
        m.insert(k, v);
    EXPECT_EQ(m.value("位置："), path);
    EXPECT_EQ(m.value("大小："), "1,234 字节");
    EXPECT_EQ(m.value("权限："), "rw-r--r--");
    EXPECT_EQ(m.value("类型："), "文件");
    const auto missing = qbx::FilePropertiesDialog::rowsFor(dir.filePath("gone"));
    EXPECT_EQ(missing.back().second, "文件不存在");
}

// The folder shown for a filed program: the program's own, for a desktop entry the program its
// Exec line starts (a bare name found on PATH); a path without a folder shows nothing.
TEST(LinuxProgramFolder, DesktopEntryPointsAtItsProgram)
{
    QTemporaryDir dir;
    const QString bin = dir.path() + "/bin";
    ASSERT_TRUE(QDir().mkpath(bin));
    writeExecutable(bin + "/qbx-folder-probe", "#!/bin/sh\n");
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", (bin + ":" + QString::fromLocal8Bit(oldPath)).toLocal8Bit());
    const QString entry = dir.path() + "/probe.desktop";
    {
        QFile f(entry);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Desktop Entry]\nType=Application\nName=Probe\nExec=qbx-folder-probe %U\nIcon=probe\n");
    }
    EXPECT_EQ(qbx::LinuxDesktop::programFile(entry), bin + "/qbx-folder-probe");
    EXPECT_EQ(qbx::LinuxDesktop::programFile("/opt/a b/app"), QString("/opt/a b/app"));
    qputenv("PATH", oldPath);

    const auto rows = qbx::LinuxDesktop::desktopEntryRows(entry);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0], qMakePair(QString("名称："), QString("Probe")));
    EXPECT_EQ(rows[1].second, QString("qbx-folder-probe %U"));
    EXPECT_EQ(rows[2].second, QString("probe"));
    EXPECT_TRUE(qbx::LinuxDesktop::desktopEntryRows(bin + "/qbx-folder-probe").isEmpty());

    qbx::LinuxDesktop desktop;
    EXPECT_FALSE(desktop.showProgramFolder("app"));
}

// What the window manager reads to keep maximised windows clear of the docked column: its width
// from its edge over its own height, in device pixels of the whole X screen.
TEST(EdgeStrut, CountsFromTheEdgeOfTheWholeXScreen)
{
    using qbx::EdgeReservation;
    using Values = std::array<std::uint32_t, 12>;
    const QRect first(0, 0, 1280, 800);
    const QSize alone(1280, 800);
    EXPECT_EQ(qbx::strutPartial({EdgeReservation::Left, 125, 0, 572}, first, alone, 1.0),
              (Values{125, 0, 0, 0, 0, 572, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(qbx::strutPartial({EdgeReservation::Right, 125, 10, 582}, first, alone, 1.0),
              (Values{0, 125, 0, 0, 0, 0, 10, 582, 0, 0, 0, 0}));
    EXPECT_EQ(qbx::strutPartial({}, first, alone, 1.0), Values{});
    // A second monitor to the right at twice the pixels (1920 x 1080 device pixels from x 1280).
    const QRect second(1280, 0, 960, 540);
    const QSize both(3200, 1080);
    EXPECT_EQ(qbx::strutPartial({EdgeReservation::Right, 125, 0, 539}, second, both, 2.0),
              (Values{0, 250, 0, 0, 0, 0, 0, 1078, 0, 0, 0, 0}));
    EXPECT_EQ(qbx::strutPartial({EdgeReservation::Left, 125, 0, 539}, second, both, 2.0),
              (Values{1530, 0, 0, 0, 0, 1078, 0, 0, 0, 0, 0, 0}));
}
