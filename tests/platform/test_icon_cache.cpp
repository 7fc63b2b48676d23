// The application index and the program-icon cache kept between starts: what is kept, and when a
// kept picture is trusted, drawn again at start, or shown and checked again after the first paint.

#include "XdgTestFiles.h"
#include "platform/ApplicationIndex.h"
#include "platform/IconCache.h"

#include <QDataStream>

#include <chrono>
#include <thread>

using namespace qbx::test;

namespace {

QRgb centre(const QImage& img)
{
    return img.isNull() ? 0 : img.pixel(img.width() / 2, img.height() / 2);
}

// Folder and file times are told apart by the millisecond.
void tick()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

QByteArray entry(const QString& exec, const QString& icon, const QByteArray& extra = {})
{
    return "[Desktop Entry]\nType=Application\nName=Tool\nName[zh_CN]=工具\nExec=" + exec.toUtf8() +
           " %U\nIcon=" + icon.toUtf8() + "\nCategories=Office;Utility;\n" + extra;
}

} // namespace

TEST(ApplicationIndex, ListsLooksUpAndKnowsWhenItIsStale)
{
    XdgDirs xdg;
    const QString tool = xdg.path("bin/tool"), other = xdg.path("bin/other");
    writeFile(tool, "#!/bin/sh\n");
    writeFile(other, "#!/bin/sh\n");
    // The same file id in two folders: the first folder's entry wins.
    writeFile(xdg.path("home/applications/tool.desktop"), entry(tool, "tool-home"));
    writeFile(xdg.path("sys1/applications/tool.desktop"), entry(other, "tool-sys"));
    writeFile(xdg.path("sys1/applications/kde/quiet.desktop"), entry(other, "quiet", "NoDisplay=true\n"));
    writeFile(xdg.path("sys2/applications/gone.desktop"), entry(other, "gone", "Hidden=true\n"));

    const QStringList folders = qbx::ApplicationIndex::folders();
    ASSERT_EQ(folders.front(), xdg.path("home/applications"));
    const qbx::ApplicationIndex index = qbx::ApplicationIndex::scan(folders);
    EXPECT_EQ(index.applications().size(), 3);
    const QList<qbx::InstalledApplication> menu = index.installed();
    ASSERT_EQ(menu.size(), 1);
    EXPECT_EQ(menu[0].fileId, "tool");
    EXPECT_EQ(menu[0].name, "工具");
    EXPECT_EQ(menu[0].categories, QStringList({"Office", "Utility"}));
    const qbx::IndexedApplication* found = index.forProgram(xdg.path("bin/../bin/tool"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->icon, "tool-home");
    EXPECT_EQ(found->program, tool);
    ASSERT_NE(index.forProgram(other), nullptr);
    EXPECT_EQ(index.forProgram(other)->fileId, "kde-quiet") << "not in the menus, but it starts the program";
    EXPECT_EQ(index.forProgram(xdg.path("bin/none")), nullptr);

    // Saved and loaded, it answers the same.
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        index.save(out);
    }
    QDataStream in(bytes);
    const auto loaded = qbx::ApplicationIndex::load(in);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->installed().size(), 1);
    EXPECT_EQ(loaded->forProgram(tool)->icon, "tool-home");
    QDataStream cut(bytes.left(bytes.size() / 2));
    EXPECT_FALSE(qbx::ApplicationIndex::load(cut));

    // An entry edited in place (its folder keeps its time) makes it stale; so does a new entry,
    // also in a folder below applications/.
    EXPECT_TRUE(index.upToDate(folders));
    tick();
    writeFile(xdg.path("home/applications/tool.desktop"), entry(tool, "tool-edited"));
    EXPECT_FALSE(index.upToDate(folders));
    const qbx::ApplicationIndex again = qbx::ApplicationIndex::scan(folders);
    EXPECT_EQ(again.forProgram(tool)->icon, "tool-edited");
    EXPECT_TRUE(again.upToDate(folders));
    tick();
    writeFile(xdg.path("sys1/applications/kde/new.desktop"), entry(tool, "new"));
    EXPECT_FALSE(again.upToDate(folders));
    EXPECT_FALSE(qbx::ApplicationIndex::scan(folders).upToDate(folders.mid(1)));
}

// One program through several starts (a cache object per start), the machine changing between them.
TEST(ProgramIconCache, KeptPicturesAreCheckedAgainstWhatDecidedThem)
{
    XdgDirs xdg;
    const QString cacheDir = xdg.path("cache/quillbox");
    const QString icons = xdg.path("home/icons");
    writeFile(icons + "/hicolor/index.theme",
              "[Icon Theme]\nName=hicolor\nDirectories=32x32/apps,scalable/apps\n\n"
              "[32x32/apps]\nSize=32\nType=Fixed\n\n"
              "[scalable/apps]\nSize=48\nMinSize=8\nMaxSize=512\nType=Scalable\n");
    const qbx::IconThemeChoice theme{"hicolor", "", {icons}};
    const QString tool = xdg.path("bin/tool");
    writeFile(tool, "#!/bin/sh\n");
    writeFile(xdg.path("sys1/applications/tool.desktop"), entry(tool, "tool-icon"));
    const QString iconFile = icons + "/hicolor/32x32/apps/tool-icon.png";
    writeFile(iconFile, pngOf(Qt::red));

    {
        // First start: nothing kept; the picture is drawn without the index (not known yet),
        // and checked after the first paint.
        qbx::ProgramIconCache start(cacheDir, theme);
        start.prepare({tool}, 32);
        EXPECT_FALSE(start.checked(tool));
        EXPECT_EQ(start.refresh({tool}, 32), QStringList{tool});
        EXPECT_TRUE(start.checked(tool));
        EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(255, 0, 0));
        EXPECT_EQ(start.picture(tool, 32).size(), QSize(32, 32));
        ASSERT_TRUE(QFileInfo::exists(cacheDir + "/icons.cache"));
        ASSERT_TRUE(QFileInfo::exists(cacheDir + "/applications.cache"));
    }
    {
        qbx::ProgramIconCache start(cacheDir, theme);
        start.prepare({tool}, 32);
        EXPECT_TRUE(start.checked(tool)) << "nothing changed: trusted as kept";
        EXPECT_EQ(start.refresh({tool}, 32), QStringList());
    }
    // A changed icon file is drawn again before the first frame.
    tick();
    writeFile(iconFile, pngOf(Qt::blue));
    {
        qbx::ProgramIconCache start(cacheDir, theme);
        start.prepare({tool}, 32);
        EXPECT_TRUE(start.checked(tool));
        EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(0, 0, 255));
        start.save();
    }
    // A new desktop entry (an earlier folder) for the program: the kept picture is shown, then
    // corrected after the first paint.
    tick();
    writeFile(icons + "/hicolor/scalable/apps/tool-new.png", pngOf(Qt::green));
    writeFile(xdg.path("home/applications/tool-new.desktop"), entry(tool, "tool-new"));
    {
        qbx::ProgramIconCache start(cacheDir, theme);
        start.prepare({tool}, 32);
        EXPECT_FALSE(start.checked(tool));
        EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(0, 0, 255));
        EXPECT_EQ(start.refresh({tool}, 32), QStringList{tool});
        EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(0, 255, 0));
        EXPECT_EQ(start.applications()->forProgram(tool)->icon, "tool-new");
    }
    // That entry edited in place to name the first icon again (no folder's time changes): corrected
    // after the first paint too.
    tick();
    writeFile(xdg.path("home/applications/tool-new.desktop"), entry(tool, "tool-icon"));
    {
        qbx::ProgramIconCache start(cacheDir, theme);
        start.prepare({tool}, 32);
        EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(0, 255, 0));
        EXPECT_EQ(start.refresh({tool}, 32), QStringList{tool});
        EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(0, 0, 255));
    }
    // The theme removed, and with it the picture's file: drawn again before the first frame (the
    // program has no icon now), nothing left to correct.
    tick();
    ASSERT_TRUE(QDir(icons + "/hicolor").removeRecursively());
    {
        qbx::ProgramIconCache start(cacheDir, theme);
        start.prepare({tool}, 32);
        EXPECT_TRUE(start.picture(tool, 32).isNull());
        EXPECT_EQ(start.refresh({tool}, 32), QStringList());
    }
}

// Damaged, foreign and unwritable cache files never stop a start.
TEST(ProgramIconCache, BadCacheFilesAreIgnoredAndWrittenAgain)
{
    XdgDirs xdg;
    const QString cacheDir = xdg.path("cache/quillbox");
    const QString picture = xdg.path("pics/a.png"), otherPicture = xdg.path("pics/b.png");
    writeFile(picture, pngOf(Qt::yellow));
    writeFile(otherPicture, pngOf(Qt::cyan));
    // Desktop entries filed as the programs: their pictures need neither the index nor a theme.
    const QString tool = xdg.path("sys1/applications/tool.desktop");
    const QString other = xdg.path("sys1/applications/other.desktop");
    writeFile(tool, entry(xdg.path("bin/tool"), picture));
    writeFile(other, entry(xdg.path("bin/other"), otherPicture));
    const qbx::IconThemeChoice theme{"hicolor", "", {}};
    {
        qbx::ProgramIconCache start(cacheDir, theme);
        start.refresh({tool, other}, 32);
    }
    QFile file(cacheDir + "/icons.cache");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray kept = file.readAll();
    file.close();
    QByteArray otherVersion = kept;
    otherVersion[7] = char(99); // the layout's version, after the four bytes of its kind
    // A damaged byte near the end lands in the last picture: only that program's is drawn anew.
    // A file cut short, in its table or in its last picture, is ignored as a whole.
    QByteArray damaged = kept;
    damaged[damaged.size() - 40] = char(damaged[damaged.size() - 40] ^ 0x5a);
    const QList<QPair<QByteArray, int>> cases{{"garbage", 0},
                                              {otherVersion, 0},
                                              {damaged, 1},
                                              {kept.left(kept.size() / 2), 0},
                                              {kept.chopped(1), 0}};
    for (const auto& [bytes, fromCache] : cases) {
        writeFile(cacheDir + "/icons.cache", bytes);
        writeFile(cacheDir + "/applications.cache", bytes);
        qbx::ProgramIconCache start(cacheDir, theme);
        start.prepare({tool}, 32);
        EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(255, 255, 0));
        EXPECT_EQ(centre(start.picture(other, 32)), qRgb(0, 255, 255));
        EXPECT_EQ(start.checked(tool) + start.checked(other), fromCache)
            << "a kept picture is trusted; one drawn anew is not yet checked against the index";
        start.refresh({tool, other}, 32);
        EXPECT_TRUE(start.checked(tool) && start.checked(other));
    }
    // A cache folder that cannot be made: logged, and the pictures are still drawn.
    writeFile(xdg.path("blocked"), "a file");
    qbx::ProgramIconCache start(xdg.path("blocked/quillbox"), theme);
    start.refresh({tool}, 32);
    EXPECT_FALSE(start.save());
    EXPECT_EQ(centre(start.picture(tool, 32)), qRgb(255, 255, 0));
}
