// Start at login: the autostart entry's place, its Exec line for awkward program paths (read
// back with the same reader that starts desktop entries), switching it off, and failed writes.

#include "platform/linux/Autostart.h"
#include "platform/linux/DesktopEntry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Sets an environment variable for one test and puts the old value back.
class EnvGuard {
public:
    explicit EnvGuard(const char* name)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name))
    {}
    ~EnvGuard()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }
    void set(const QString& v) { qputenv(name_, v.toUtf8()); }
    void unset() { qunsetenv(name_); }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(Autostart, EntryLivesUnderTheConfigFolder)
{
    EnvGuard config("XDG_CONFIG_HOME");
    config.set(QStringLiteral("/tmp/cfg home"));
    EXPECT_EQ(qbx::autostart::entryFile(), QStringLiteral("/tmp/cfg home/autostart/quillbox.desktop"));
    const QString fallback = QDir::homePath() + QStringLiteral("/.config/autostart/quillbox.desktop");
    config.unset();
    EXPECT_EQ(qbx::autostart::entryFile(), fallback);
    config.set(QStringLiteral("relative/cfg")); // not a usable value: the default applies
    EXPECT_EQ(qbx::autostart::entryFile(), fallback);
}

TEST(Autostart, ExecLineStartsThePathAsItIs)
{
    EnvGuard config("XDG_CONFIG_HOME");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    config.set(dir.path());

    // A plain folder with a blank, checked against the text written by hand.
    ASSERT_TRUE(qbx::autostart::write(QStringLiteral("/opt/My Apps/qbx"),
                                      QStringLiteral("/opt/My Apps/exe13.ico"), true)
                    .written);
    EXPECT_EQ(
        readAll(qbx::autostart::entryFile()),
        QByteArray(
            "[Desktop Entry]\nType=Application\nName=Quillbox\n"
            "Comment=\xE5\x88\x86\xE7\xB1\xBB\xE7\xAE\xA1\xE7\x90\x86\xE5\xB9\xB6\xE5\xBF\xAB\xE9\x80\x9F"
            "\xE5\x90\xAF\xE5\x8A\xA8\xE5\xB8\xB8\xE7\x94\xA8\xE7\xA8\x8B\xE5\xBA\x8F\n"
            "Icon=/opt/My Apps/exe13.ico\nExec=\"/opt/My Apps/qbx\"\nTerminal=false\n"));

    const QStringList paths{
        QStringLiteral("/home/u/程序 文件夹/qbx"),
        QStringLiteral("/tmp/a \"quoted\" $HOME `id` dir/qbx"),
        QStringLiteral("/tmp/back\\slash/100%/%f/qbx"),
        QStringLiteral("/tmp/tab\there;&|<>*?#()~'/qbx"),
        QStringLiteral("/tmp/new\nline/qbx"),
    };
    for (const QString& program : paths) {
        SCOPED_TRACE(program.toStdString());
        const QString icon = QFileInfo(program).absolutePath() + QStringLiteral("/exe13.ico");
        const qbx::StartAtLoginResult r = qbx::autostart::write(program, icon, true);
        ASSERT_TRUE(r.written) << r.error.toStdString();
        EXPECT_EQ(r.place, qbx::autostart::entryFile());
        const auto entry = qbx::readDesktopEntry(r.place);
        ASSERT_TRUE(entry.has_value());
        EXPECT_EQ(entry->type, QStringLiteral("Application"));
        EXPECT_EQ(qbx::execArguments(entry->exec), QStringList{program});
        EXPECT_EQ(entry->icon, icon);
        EXPECT_FALSE(entry->hidden);
    }

    // Switched off: the entry stays, with the path, and says Hidden=true.
    ASSERT_TRUE(qbx::autostart::write(QStringLiteral("/opt/q/qbx"), QStringLiteral("/opt/q/exe13.ico"), false)
                    .written);
    const auto off = qbx::readDesktopEntry(qbx::autostart::entryFile());
    ASSERT_TRUE(off.has_value());
    EXPECT_TRUE(off->hidden);
    EXPECT_EQ(qbx::execArguments(off->exec), QStringList{QStringLiteral("/opt/q/qbx")});
}

TEST(Autostart, AFailedWriteIsReportedWithItsPlace)
{
    EnvGuard config("XDG_CONFIG_HOME");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    // The autostart folder cannot be made: a file stands in its place.
    config.set(dir.path() + QStringLiteral("/a"));
    QDir(dir.path()).mkpath(QStringLiteral("a"));
    QFile blocker(dir.path() + QStringLiteral("/a/autostart"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qbx::StartAtLoginResult r = qbx::autostart::write(QStringLiteral("/q/qbx"), QString(), true);
    EXPECT_FALSE(r.written);
    EXPECT_EQ(r.place, dir.path() + QStringLiteral("/a/autostart/quillbox.desktop"));
    EXPECT_FALSE(r.error.isEmpty());
}
