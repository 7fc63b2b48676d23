// How desktop entries and plain paths are started: what is refused, which folder the program
// starts in, the user's terminal, and what a started program sees.

#include "platform/linux/LaunchPlan.h"
#include "platform/linux/LinuxDesktop.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

void write(const QString& path, const QByteArray& text, bool executable = false)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
    f.close();
    if (executable)
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QByteArray waitForLine(const QString& path, int lines)
{
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray data = f.readAll();
            if (data.count('\n') >= lines)
                return data;
        }
        QThread::msleep(20);
    }
    return {};
}

// Sets an environment variable for the test's length.
class EnvScope {
public:
    EnvScope(const char* name, const QByteArray& value)
        : name_(name), old_(qgetenv(name)), had_(qEnvironmentVariableIsSet(name))
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~EnvScope()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_;
};

class LaunchPlanTest : public ::testing::Test {
protected:
    QString entry(const QByteArray& body)
    {
        const QString path = dir.filePath(QStringLiteral("e%1.desktop").arg(++n));
        write(path, "[Desktop Entry]\n" + body);
        return path;
    }
    QTemporaryDir dir;
    int n = 0;
};

TEST_F(LaunchPlanTest, EntriesTheDesktopWouldNotStartAreRefused)
{
    EXPECT_FALSE(qbx::planLaunch(entry("Exec=/bin/true\n")).refusal.isEmpty()) << "no Type";
    EXPECT_FALSE(qbx::planLaunch(entry("Type=Directory\nExec=/bin/true\n")).refusal.isEmpty());
    EXPECT_FALSE(qbx::planLaunch(entry("Type=Application\nExec=app %x\n")).refusal.isEmpty());
    EXPECT_FALSE(qbx::planLaunch(entry("Type=Application\nTryExec=no-such-program-here\nExec=/bin/true\n"))
                     .refusal.isEmpty());
    EXPECT_FALSE(
        qbx::planLaunch(entry("Type=Application\nExec=/bin/true\nPath=/no/such/folder\n")).refusal.isEmpty());
    EXPECT_FALSE(qbx::planLaunch(entry("Type=Link\n")).refusal.isEmpty()) << "a link without URL";
    EXPECT_FALSE(qbx::planLaunch("").refusal.isEmpty());

    const qbx::LaunchPlan link = qbx::planLaunch(entry("Type=Link\nURL=https://example.org/a b\n"));
    EXPECT_TRUE(link.refusal.isEmpty());
    EXPECT_EQ(link.url, "https://example.org/a b");
    EXPECT_TRUE(link.argv.isEmpty());

    const qbx::LaunchPlan found = qbx::planLaunch(entry("Type=Application\nTryExec=sh\nExec=/bin/true\n"));
    EXPECT_TRUE(found.refusal.isEmpty()) << found.refusal.toStdString();
}

TEST_F(LaunchPlanTest, WorkingFolderIsTheEntrysPathElseHome)
{
    EXPECT_EQ(qbx::planLaunch(entry("Type=Application\nExec=/bin/true\nPath=" + dir.path().toUtf8() + "\n"))
                  .workingDir,
              dir.path());
    EXPECT_EQ(qbx::planLaunch(entry("Type=Application\nExec=/bin/true\n")).workingDir, QDir::homePath());
    EXPECT_EQ(qbx::planLaunch("/opt/a b/prog").workingDir, QDir::homePath());
    EXPECT_EQ(qbx::planLaunch("/opt/a b/prog").argv, QStringList{"/opt/a b/prog"});
}

TEST_F(LaunchPlanTest, TerminalProgramsRunInTheUsersTerminal)
{
    const QString bin = dir.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    const EnvScope path("PATH", bin.toUtf8());
    const QString vim = entry("Type=Application\nTerminal=true\nExec=vim %F\n");
    {
        const EnvScope terminal("TERMINAL", QByteArray());
        EXPECT_FALSE(qbx::planLaunch(vim).refusal.isEmpty()) << "no terminal anywhere";
    }
    write(bin + "/xterm", "#!/bin/sh\n", true);
    EXPECT_EQ(qbx::planLaunch(vim).argv, (QStringList{bin + "/xterm", "-e", "vim"}));
    write(bin + "/myterm", "#!/bin/sh\n", true);
    {
        const EnvScope terminal("TERMINAL", "myterm");
        EXPECT_EQ(qbx::planLaunch(vim).argv.front(), bin + "/myterm");
        write(bin + "/x-terminal-emulator", "#!/bin/sh\n", true);
        EXPECT_EQ(qbx::planLaunch(vim).argv.front(), bin + "/x-terminal-emulator")
            << "the desktop's choice first";
    }
}

TEST_F(LaunchPlanTest, AStartedProgramSeesHomeAndNoInput)
{
    const QString home = dir.filePath("home");
    ASSERT_TRUE(QDir().mkpath(home));
    const EnvScope homeVar("HOME", home.toUtf8());
    const QString marker = dir.filePath("marker");
    const QString script = dir.filePath("probe.sh");
    write(script,
          "#!/bin/sh\npwd > '" + marker.toUtf8() + ".tmp'\nreadlink /proc/self/fd/0 >> '" + marker.toUtf8() +
              ".tmp'\necho noise\nmv '" + marker.toUtf8() + ".tmp' '" + marker.toUtf8() + "'\n",
          true);
    qbx::LinuxDesktop desktop;
    ASSERT_TRUE(desktop.startProgram(script));
    EXPECT_EQ(waitForLine(marker, 2), home.toUtf8() + "\n/dev/null\n");
}

} // namespace
