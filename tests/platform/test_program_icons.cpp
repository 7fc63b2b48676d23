// Program icons end to end: PE and .ico files decoded by Qt, desktop entries, the XDG lookup
// through temporary data folders, the cache, the pixmap helper the windows draw with, and the
// icon theme chosen from the desktop's settings.

#include "XdgTestFiles.h"
#include "platform/IconCache.h"
#include "platform/IconPixmaps.h"
#include "platform/fake/FakeDesktop.h"
#include "platform/linux/IconTheme.h"
#include "platform/linux/IconTheme.h"
#include "platform/linux/ProgramIcons.h"
#include "tests/support/PeBuilder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qbx::test;

namespace {

QByteArray qb(const Bytes& b)
{
    return QByteArray(reinterpret_cast<const char*>(b.data()), static_cast<qsizetype>(b.size()));
}
QRgb centre(const QIcon& icon, int size)
{
    return icon.pixmap(QSize(size, size), 1.0).toImage().pixel(size / 2, size / 2);
}
struct Env {
    QByteArray name, old;
    bool had;
    Env(const char* n, const QByteArray& value) : name(n), old(qgetenv(n)), had(qEnvironmentVariableIsSet(n))
    {
        qputenv(n, value);
    }
    ~Env() { had ? qputenv(name.constData(), old) : qunsetenv(name.constData()); }
};

} // namespace

TEST(ProgramIcons, WindowsProgramsAndIconFilesAreDecoded)
{
    QTemporaryDir dir;
    const QString exe = dir.filePath("Tool Setup.exe");
    writeFile(
        exe, qb(buildPe({{1, solidDib(16, 0xFFFF0000), 16}, {2, solidDib(32, 0xFF0000FF), 32}}, {{1, {1, 2}}})
                    .bytes));
    const QString ico = dir.filePath("a.ico");
    writeFile(ico, qb(buildIco({{16, solidDib(16, 0xFF00FF00)}})));

    qbx::ProgramIcons icons;
    const QIcon fromExe = icons.icon(exe);
    ASSERT_FALSE(fromExe.isNull());
    EXPECT_EQ(fromExe.availableSizes().size(), 2);
    EXPECT_EQ(centre(fromExe, 16), qRgb(255, 0, 0));
    EXPECT_EQ(centre(fromExe, 32), qRgb(0, 0, 255));
    EXPECT_EQ(centre(icons.icon(ico), 16), qRgb(0, 255, 0));

    // One size at two depths (a 4-bit grey image, then a 32-bit green one): the deeper wins.
    Bytes fourBit(40 + 16 * 4 + 16 * 8 + 16 * 4, 0);
    put32(fourBit, 0, 40);
    put32(fourBit, 4, 16);
    put32(fourBit, 8, 32);
    put16(fourBit, 12, 1);
    put16(fourBit, 14, 4);
    for (int c = 0; c < 16; ++c)
        put32(fourBit, 40 + 4 * static_cast<std::size_t>(c), 0x00808080);
    Bytes both = buildIco({{16, fourBit}, {16, solidDib(16, 0xFF00FF00)}});
    both[6 + 6] = 4; // the first entry's bit count
    const QString depths = dir.filePath("depths.ico");
    writeFile(depths, qb(both));
    EXPECT_EQ(centre(icons.icon(depths), 16), qRgb(0, 255, 0));

    // A picture stored as PNG inside the icon (as large Windows icons are) is read too.
    const QByteArray png = pngOf(Qt::cyan);
    const QString pngIco = dir.filePath("png.ico");
    writeFile(pngIco, qb(buildIco({{24, Bytes(png.begin(), png.end())}})));
    EXPECT_EQ(centre(icons.icon(pngIco), 24), qRgb(0, 255, 255));

    // A file with another extension is still read by what it holds.
    const QString renamed = dir.filePath("tool.bin");
    QFile::copy(exe, renamed);
    EXPECT_FALSE(icons.icon(renamed).isNull());

    EXPECT_TRUE(icons.icon("").isNull());
    EXPECT_TRUE(icons.icon(dir.filePath("missing.exe")).isNull());
    EXPECT_TRUE(icons.icon(dir.path()).isNull()) << "a folder is no program";
}

TEST(ProgramIcons, DesktopEntryIconKey)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("pic.png");
    writeFile(png, pngOf(Qt::yellow));
    writeFile(dir.filePath("a.desktop"),
              "[Desktop Entry]\nType=Application\nExec=true\nIcon=" + png.toUtf8() + "\n");
    writeFile(dir.filePath("b.desktop"),
              "[Desktop Entry]\nType=Application\nExec=true\nIcon=/no/such/icon.png\n");
    writeFile(dir.filePath("c.desktop"), "[Desktop Entry]\nType=Application\nExec=true\n");

    // A theme name goes through the icon theme: a tiny theme of our own.
    const QString themeRoot = dir.filePath("icons");
    writeFile(themeRoot + "/qbxtest/index.theme",
              "[Icon Theme]\nName=qbxtest\nDirectories=apps\n\n[apps]\nSize=24\nType=Fixed\n");
    writeFile(themeRoot + "/qbxtest/apps/qbx-test-app.png", pngOf(Qt::magenta));
    QIcon::setThemeSearchPaths({themeRoot});
    QIcon::setThemeName("qbxtest");
    writeFile(dir.filePath("d.desktop"), "[Desktop Entry]\nType=Application\nExec=true\nIcon=qbx-test-app\n");

    qbx::ProgramIcons icons;
    EXPECT_EQ(centre(icons.icon(dir.filePath("a.desktop")), 24), qRgb(255, 255, 0));
    EXPECT_TRUE(icons.icon(dir.filePath("b.desktop")).isNull());
    EXPECT_TRUE(icons.icon(dir.filePath("c.desktop")).isNull());
    EXPECT_EQ(centre(icons.icon(dir.filePath("d.desktop")), 24), qRgb(255, 0, 255));
}

TEST(ProgramIcons, XdgEntryOfTheProgramThenThemeByFileName)
{
    XdgDirs xdg;
    const QString prog = xdg.path("bin/My Editor");
    writeFile(prog, "#!/bin/sh\n");
    const QString other = xdg.path("bin/other");
    writeFile(other, "#!/bin/sh\n");
    const QString png = xdg.path("pics/editor.png"), wrong = xdg.path("pics/wrong.png");
    writeFile(png, pngOf(Qt::cyan));
    writeFile(wrong, pngOf(Qt::red));
    // The home folder comes first; the system folders after it, in order.
    writeFile(xdg.path("home/applications/sub/editor.desktop"),
              "[Desktop Entry]\nType=Application\nExec=\"" + prog.toUtf8() +
                  "\" --new %U\nIcon=" + png.toUtf8() + "\n");
    writeFile(xdg.path("sys1/applications/editor2.desktop"), "[Desktop Entry]\nType=Application\nExec=\"" +
                                                                 prog.toUtf8() +
                                                                 "\"\nIcon=" + wrong.toUtf8() + "\n");
    writeFile(xdg.path("sys2/applications/hidden.desktop"),
              "[Desktop Entry]\nType=Application\nHidden=true\nExec=" + other.toUtf8() +
                  "\nIcon=" + wrong.toUtf8() + "\n");

    // An older entry naming a picture in pixmaps/ without its extension.
    const QString legacy = xdg.path("bin/legacy");
    writeFile(legacy, "#!/bin/sh\n");
    writeFile(xdg.path("sys2/pixmaps/legacy-icon.png"), pngOf(Qt::green));
    writeFile(xdg.path("sys2/applications/legacy.desktop"),
              "[Desktop Entry]\nType=Application\nExec=" + legacy.toUtf8() + "\nIcon=legacy-icon\n");

    qbx::ProgramIcons icons;
    EXPECT_EQ(centre(icons.icon(prog), 24), qRgb(0, 255, 255));
    EXPECT_EQ(centre(icons.icon(legacy), 24), qRgb(0, 255, 0));
    // The same program through a path that is spelled differently.
    EXPECT_FALSE(icons.icon(xdg.path("bin/../bin/My Editor")).isNull());
    EXPECT_TRUE(icons.icon(other).isNull()) << "hidden entries do not count";

    // No entry: the theme icon named after the file.
    const QString themeRoot = xdg.path("icons");
    writeFile(themeRoot + "/qbxtest2/index.theme",
              "[Icon Theme]\nName=qbxtest2\nDirectories=apps\n\n[apps]\nSize=24\nType=Fixed\n");
    writeFile(themeRoot + "/qbxtest2/apps/qbxtool.png", pngOf(Qt::blue));
    QIcon::setThemeSearchPaths({themeRoot});
    QIcon::setThemeName("qbxtest2");
    const QString tool = xdg.path("bin/qbxtool");
    writeFile(tool, "#!/bin/sh\n");
    EXPECT_EQ(centre(icons.icon(tool), 24), qRgb(0, 0, 255));
}

TEST(ProgramIcons, CacheReadsAChangedFileAgain)
{
    QTemporaryDir dir;
    const QString ico = dir.filePath("c.ico");
    writeFile(ico, qb(buildIco({{16, solidDib(16, 0xFFFF0000)}})));
    qbx::ProgramIcons icons;
    EXPECT_EQ(centre(icons.icon(ico), 16), qRgb(255, 0, 0));
    EXPECT_EQ(centre(icons.icon(ico), 16), qRgb(255, 0, 0));
    EXPECT_EQ(icons.loads(), 1);

    writeFile(ico, qb(buildIco({{16, solidDib(16, 0xFF00FF00)}, {32, solidDib(32, 0xFF00FF00)}})));
    EXPECT_EQ(centre(icons.icon(ico), 16), qRgb(0, 255, 0));
    EXPECT_EQ(icons.loads(), 2);

    // Same size, new time: read again too.
    writeFile(ico, qb(buildIco({{16, solidDib(16, 0xFF0000FF)}, {32, solidDib(32, 0xFF0000FF)}})));
    QFile f(ico);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime);
    f.close();
    EXPECT_EQ(centre(icons.icon(ico), 16), qRgb(0, 0, 255));
    EXPECT_EQ(icons.loads(), 3);

    // A program without an icon is remembered as such.
    const QString plain = dir.filePath("plain");
    writeFile(plain, "no icon here");
    EXPECT_TRUE(icons.icon(plain).isNull());
    EXPECT_TRUE(icons.icon(plain).isNull());
    EXPECT_EQ(icons.loads(), 4);
}

TEST(ProgramIconPixmap, SizedForTheScreenAndEmptyForNoIcon)
{
    qbx::FakeDesktop desktop;
    QPixmap src(64, 64);
    src.fill(Qt::red);
    desktop.setIcon("/p/a.exe", QIcon(src));

    EXPECT_TRUE(qbx::programIconPixmap(desktop, "", 32, 1.0).isNull());
    EXPECT_TRUE(desktop.iconRequests.isEmpty()) << "an empty path is not looked up";
    EXPECT_TRUE(qbx::programIconPixmap(desktop, "/p/none.exe", 32, 1.0).isNull());

    const QPixmap one = qbx::programIconPixmap(desktop, "/p/a.exe", 32, 1.0);
    EXPECT_EQ(one.size(), QSize(32, 32));
    const QPixmap two = qbx::programIconPixmap(desktop, "/p/a.exe", 32, 2.0);
    EXPECT_EQ(two.size(), QSize(64, 64));
    EXPECT_DOUBLE_EQ(two.devicePixelRatio(), 2.0);

    // An icon for a long list looks nothing up until it is painted, then draws once per size.
    desktop.iconRequests.clear();
    const QIcon lazy = qbx::programIconWhenShown(desktop, "/p/a.exe", 32);
    EXPECT_TRUE(desktop.iconRequests.isEmpty());
    QImage row(40, 40, QImage::Format_ARGB32_Premultiplied);
    row.fill(Qt::white);
    for (int paint = 0; paint < 2; ++paint) {
        QPainter p(&row);
        lazy.paint(&p, QRect(4, 4, 32, 32));
    }
    EXPECT_EQ(row.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(row.pixel(1, 1), qRgb(255, 255, 255));
    EXPECT_EQ(desktop.iconRequests.size(), 1);
}

TEST(ProgramIconPixmap, SmallIconsFillTheBoxAndOddShapesAreCentred)
{
    QPixmap small(16, 16);
    small.fill(Qt::green);
    const QImage big = qbx::fittedIconPixmap(QIcon(small), 32, 2.0).toImage();
    ASSERT_EQ(big.size(), QSize(64, 64));
    // Not drawn at its own size in the top-left corner: scaled over the whole box.
    EXPECT_EQ(big.pixel(60, 60), qRgb(0, 255, 0));
    EXPECT_EQ(big.pixel(3, 3), qRgb(0, 255, 0));

    QPixmap wide(32, 16);
    wide.fill(Qt::blue);
    const QImage centred = qbx::fittedIconPixmap(QIcon(wide), 32, 1.0).toImage();
    EXPECT_EQ(qAlpha(centred.pixel(16, 2)), 0) << "transparent above";
    EXPECT_EQ(centred.pixel(16, 16), qRgb(0, 0, 255));
    EXPECT_EQ(qAlpha(centred.pixel(16, 29)), 0) << "transparent below";
}

TEST(ProgramIcons, TryExecAndTheGenericProgramIcon)
{
    XdgDirs xdg;
    const QString wrapper = xdg.path("bin/wrapper"), real = xdg.path("bin/real-tool"),
                  bare = xdg.path("bin/bare");
    for (const QString& p : {wrapper, real, bare})
        writeFile(p, "#!/bin/sh\n");
    // The entry starts a wrapper; its TryExec names the real program.
    writeFile(xdg.path("home/applications/tool.desktop"),
              "[Desktop Entry]\nType=Application\nExec=" + wrapper.toUtf8() + "\nTryExec=" + real.toUtf8() +
                  "\nIcon=" + xdg.path("pics/tool.png").toUtf8() + "\n");
    writeFile(xdg.path("pics/tool.png"), pngOf(Qt::cyan));
    writeFile(xdg.path("home/applications/lost.desktop"),
              "[Desktop Entry]\nType=Application\nExec=true\nIcon=no-such-icon-anywhere\n");

    const QString themeRoot = xdg.path("icons");
    writeFile(themeRoot + "/qbxgeneric/index.theme",
              "[Icon Theme]\nName=qbxgeneric\nDirectories=mimetypes\n\n[mimetypes]\nSize=24\nType=Fixed\n");
    writeFile(themeRoot + "/qbxgeneric/mimetypes/application-x-executable.png", pngOf(Qt::darkGray));
    QIcon::setThemeSearchPaths({themeRoot});
    QIcon::setThemeName("qbxgeneric");

    qbx::ProgramIcons icons;
    EXPECT_EQ(centre(icons.icon(real), 24), qRgb(0, 255, 255));
    EXPECT_EQ(centre(icons.icon(wrapper), 24), qRgb(0, 255, 255));
    // No icon of its own anywhere: the theme's picture of a program, never a blank cell.
    EXPECT_EQ(centre(icons.icon(bare), 24), QColor(Qt::darkGray).rgb());
    EXPECT_EQ(centre(icons.icon(xdg.path("home/applications/lost.desktop")), 24), QColor(Qt::darkGray).rgb());
    EXPECT_TRUE(icons.icon(xdg.path("bin/missing")).isNull()) << "a file that is gone has no icon";
    // The kept pictures the windows draw follow the same rule.
    qbx::ProgramIconCache cache(xdg.path("cache"), {"qbxgeneric", QString(), {themeRoot}});
    const QImage lost = cache.picture(xdg.path("home/applications/lost.desktop"), 24);
    ASSERT_FALSE(lost.isNull());
    EXPECT_EQ(lost.pixel(12, 12), QColor(Qt::darkGray).rgb());
    QIcon::setThemeName(QString());
}

TEST(IconTheme, SettingFilesAreReadByGroupAndKey)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("settings.ini");
    writeFile(ini, "[Other]\ngtk-icon-theme-name=Wrong\n[Settings]\n# gtk-icon-theme-name=Commented\n"
                   "gtk-icon-theme-name-extra=No\n gtk-icon-theme-name = \"Papirus-Dark\" \n");
    EXPECT_EQ(qbx::iniFileValue(ini, "Settings", "gtk-icon-theme-name"), QStringLiteral("Papirus-Dark"));
    EXPECT_TRUE(qbx::iniFileValue(ini, "Settings", "missing").isEmpty());
    EXPECT_TRUE(qbx::iniFileValue(dir.filePath("none.ini"), "Settings", "gtk-icon-theme-name").isEmpty());
}

TEST(IconTheme, TheDesktopsOwnSettingIsChosen)
{
    QTemporaryDir dir;
    Env config("XDG_CONFIG_HOME", dir.path().toUtf8());
    writeFile(dir.filePath("gtk-3.0/settings.ini"), "[Settings]\ngtk-icon-theme-name=FromGtk3\n");
    writeFile(dir.filePath("kdeglobals"), "[General]\nTheme=NotThis\n[Icons]\nTheme=breeze-dark\n");
    {
        Env desk("XDG_CURRENT_DESKTOP", "XFCE");
        EXPECT_EQ(qbx::chosenIconTheme(), QStringLiteral("FromGtk3"));
        writeFile(dir.filePath("gtk-4.0/settings.ini"), "[Settings]\ngtk-icon-theme-name=FromGtk4\n");
        EXPECT_EQ(qbx::chosenIconTheme(), QStringLiteral("FromGtk4"));
    }
    {
        Env desk("XDG_CURRENT_DESKTOP", "KDE");
        EXPECT_EQ(qbx::chosenIconTheme(), QStringLiteral("breeze-dark"));
    }
}

TEST(IconTheme, GsettingsIsAskedWithoutWaitingAndFollowed)
{
    QTemporaryDir dir;
    // A gsettings that names a theme, and that theme installed where Qt looks for themes.
    const QString tool = dir.filePath("bin/gsettings");
    writeFile(tool, "#!/bin/sh\nsleep 0.2\necho \"'Mine'\"\n");
    QFile::setPermissions(tool, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    writeFile(dir.filePath("icons/Mine/index.theme"), "[Icon Theme]\nName=Mine\nDirectories=\n");
    Env path("PATH", QFile::encodeName(dir.filePath("bin")) + ':' + qgetenv("PATH"));
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths(searchPaths + QStringList{dir.filePath("icons")});
    QIcon::setThemeName("hicolor");
    QObject context;
    int changed = 0;
    {
        Env desk("XDG_CURRENT_DESKTOP", "XFCE");
        qbx::askDesktopIconTheme(&context, [&] { ++changed; });
        EXPECT_TRUE(context.children().isEmpty()) << "only GNOME-like desktops keep it there";
    }
    Env desk("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    qbx::askDesktopIconTheme(&context, [&] { ++changed; });
    EXPECT_EQ(QIcon::themeName(), QStringLiteral("hicolor")) << "start-up does not wait for the answer";
    QDeadlineTimer deadline(10000);
    while (changed == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(QIcon::themeName(), QStringLiteral("Mine"));
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(QString());
}

TEST(IconTheme, ChosenWhenInstalledElseTheUsualOnesElseHicolor)
{
    QSet<QString> installed{"Papirus", "breeze", "Mine"};
    auto has = [&](const QString& n) { return installed.contains(n); };
    EXPECT_EQ(qbx::pickIconTheme("Mine", has), QStringLiteral("Mine"));
    EXPECT_EQ(qbx::pickIconTheme("Gone", has), QStringLiteral("breeze"));
    EXPECT_EQ(qbx::pickIconTheme("", has), QStringLiteral("breeze"));
    EXPECT_EQ(qbx::pickIconTheme("../Mine", has), QStringLiteral("breeze")) << "a path is no theme name";
    installed.insert("Adwaita");
    EXPECT_EQ(qbx::pickIconTheme("Gone", has), QStringLiteral("Adwaita"));
    installed.clear();
    EXPECT_EQ(qbx::pickIconTheme("Gone", has), QStringLiteral("hicolor"));
}
