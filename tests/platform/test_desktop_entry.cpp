// Desktop entries: reading the keys that matter and splitting Exec lines by the quoting rules.

#include "platform/linux/DesktopEntry.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using qbx::execArguments;
using qbx::splitExecLine;

TEST(ExecLine, QuotingAndEscapes)
{
    EXPECT_EQ(*splitExecLine("gedit  --new-window\t%U"), (QStringList{"gedit", "--new-window", "%U"}));
    EXPECT_EQ(*splitExecLine(R"("/opt/My App/run" "a b" c)"), (QStringList{"/opt/My App/run", "a b", "c"}));
    EXPECT_EQ(*splitExecLine(R"("say \"hi\" \$HOME \`x\` \\ \n")"),
              (QStringList{R"(say "hi" $HOME `x` \ \n)"}));
    EXPECT_EQ(*splitExecLine(R"(pre"quoted part"post)"), (QStringList{"prequoted partpost"}));
    EXPECT_EQ(*splitExecLine(R"(a ""  b)"), (QStringList{"a", "", "b"}));
    EXPECT_EQ(*splitExecLine("   "), QStringList{});
    EXPECT_FALSE(splitExecLine(R"(prog "unterminated)"));
    EXPECT_FALSE(splitExecLine(R"(prog "ends in \)"));
    EXPECT_FALSE(splitExecLine("prog \\"));
}

TEST(ExecLine, FieldCodesAreExpandedOrRemoved)
{
    EXPECT_EQ(execArguments("app %f %F %u %U %i %c %k"), QStringList{"app"});
    EXPECT_EQ(execArguments("app --file=%f 100%% %%U"), (QStringList{"app", "--file=", "100%", "%U"}));
    EXPECT_EQ(execArguments(R"("/a b/app" "%U" x%cy)"), (QStringList{"/a b/app", "xy"}));
    EXPECT_TRUE(execArguments("app %z").isEmpty()) << "an unknown code makes the line invalid";
    EXPECT_TRUE(execArguments("app --x=%z").isEmpty());
    EXPECT_EQ(execArguments("app 100%"), (QStringList{"app", "100%"}));

    qbx::DesktopEntry e;
    e.icon = "my icon";
    e.name = "编辑器";
    EXPECT_EQ(qbx::expandExec("app %i %c %k %U", e, "/usr/share/applications/ed.desktop"),
              (QStringList{"app", "--icon", "my icon", "编辑器", "/usr/share/applications/ed.desktop"}));
    EXPECT_EQ(qbx::expandExec("app --title=%c", e), (QStringList{"app", "--title=编辑器"}));
    EXPECT_TRUE(execArguments(R"(app "broken)").isEmpty());
}

TEST(DesktopEntryFile, ReadsTheMainGroupOnly)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("x.desktop");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("# comment\n[Desktop Entry]\nType=Application\nName=X\nIcon[zh_CN]=other\nIcon=/icons/x.png\n"
            "Exec=\"/opt/x y/run\" --go\\s%F\n\n[Desktop Action New]\nExec=wrong\nIcon=wrong\n");
    f.close();
    const auto e = qbx::readDesktopEntry(path);
    ASSERT_TRUE(e);
    EXPECT_EQ(e->type, "Application");
    EXPECT_EQ(e->icon, "/icons/x.png");
    EXPECT_EQ(execArguments(e->exec), (QStringList{"/opt/x y/run", "--go"}));
    EXPECT_FALSE(e->hidden);
    EXPECT_EQ(e->name, "X") << "no localized Name: the plain one";
    EXPECT_EQ(e->comment, "");

    // Name and Comment in Simplified Chinese where the entry has it, wherever the keys stand.
    QFile l(dir.filePath("l.desktop"));
    ASSERT_TRUE(l.open(QIODevice::WriteOnly));
    l.write("[Desktop Entry]\nName[zh_CN]=简体\nName[zh]=中文\nName=Plain\nName[zh_TW]=繁體\n"
            "Comment[de]=Deutsch\nComment[zh]=说明\\s一\nComment=Plain\nCommentary=no\n"
            "[Desktop Action A]\nName[zh_CN]=wrong\n");
    l.close();
    const auto loc = qbx::readDesktopEntry(dir.filePath("l.desktop"));
    ASSERT_TRUE(loc);
    EXPECT_EQ(loc->name, "简体");
    EXPECT_EQ(loc->comment, "说明 一");

    QFile g(dir.filePath("none.desktop"));
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    g.write("Icon=x\n[Other]\nIcon=y\n");
    g.close();
    EXPECT_FALSE(qbx::readDesktopEntry(dir.filePath("none.desktop")));
    EXPECT_FALSE(qbx::readDesktopEntry(dir.filePath("missing.desktop")));
    // A FIFO named like an entry is refused at once instead of waiting for a writer.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("fifo.desktop")).constData(), 0600), 0);
    EXPECT_FALSE(qbx::readDesktopEntry(dir.filePath("fifo.desktop")));
}
