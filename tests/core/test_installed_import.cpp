// Filing the installed applications on a first start: where their categories put them, how
// they are named and written, what is left out, and that the offer comes once.

#include "core/ApplicationCategories.h"
#include "core/ApplicationFilter.h"
#include "core/InstalledImport.h"
#include "platform/InstalledApplications.h"
#include "tests/support/CoreFixture.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace qbx;
using namespace qbx::testing;

class InstalledImportTest : public QObject {
    Q_OBJECT
private slots:
    void categoriesGiveThePlace_data();
    void categoriesGiveThePlace();
    void filesEachWhereItsCategoriesSay();
    void aMinorCategoryTakes25();
    void offeredOnceOnAnEmptyCatalogue();
    void thePickerFilterFindsNameCommentAndFileId();
};

namespace {

// Writes <dir>/<id>.desktop with these lines after the group header.
QString writeEntry(const QString& dir, const QString& id, const QString& lines)
{
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + id + QStringLiteral(".desktop");
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("could not write a desktop entry");
    f.write(QStringLiteral("[Desktop Entry]\nType=Application\nExec=/bin/true\n%1\n").arg(lines).toUtf8());
    return path;
}

std::string u8(const char* s)
{
    return std::string(s);
}

} // namespace

void InstalledImportTest::categoriesGiveThePlace_data()
{
    QTest::addColumn<QString>("categories");
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("nameIndex");
    QTest::newRow("office") << "Office;WordProcessor;" << 0 << 0;
    QTest::newRow("calendar") << "Office;Calendar;" << 0 << 1;
    QTest::newRow("database") << "Office;Database;" << 0 << 2;
    QTest::newRow("pdf viewer") << "GNOME;GTK;Office;Viewer;Graphics;" << 0 << 0;
    QTest::newRow("game over graphics") << "Game;Graphics;" << 1 << 0;
    QTest::newRow("music player") << "AudioVideo;Audio;Player;" << 1 << 1;
    QTest::newRow("video player") << "AudioVideo;Audio;Video;Player;" << 1 << 3;
    QTest::newRow("media player") << "AudioVideo;Player;Recorder;" << 1 << 3;
    QTest::newRow("graphics") << "Graphics;2DGraphics;RasterGraphics;" << 1 << 2;
    QTest::newRow("file transfer") << "Network;FileTransfer;P2P;" << 2 << 0;
    QTest::newRow("browser") << "Network;WebBrowser;" << 2 << 1;
    QTest::newRow("mail") << "Network;Email;" << 2 << 2;
    QTest::newRow("chat") << "Network;Chat;InstantMessaging;" << 2 << 2;
    QTest::newRow("other network") << "Network;RemoteAccess;" << 2 << 4;
    QTest::newRow("ide") << "Development;IDE;" << 3 << 0;
    QTest::newRow("languages") << "Education;Languages;" << 3 << 1;
    QTest::newRow("education") << "Education;Math;" << 3 << 4;
    QTest::newRow("settings over system") << "System;Settings;" << 4 << 0;
    QTest::newRow("security") << "System;Security;" << 4 << 1;
    QTest::newRow("terminal") << "System;TerminalEmulator;" << 4 << 2;
    QTest::newRow("utility") << "GTK;Utility;TextEditor;" << 4 << 4;
    QTest::newRow("none") << "" << 4 << 4;
}

void InstalledImportTest::categoriesGiveThePlace()
{
    QFETCH(QString, categories);
    QFETCH(int, major);
    QFETCH(int, nameIndex);
    QCOMPARE(placeForCategories(categories.split(u';', Qt::SkipEmptyParts)),
             (CategoryPlace{major, nameIndex}));
}

void InstalledImportTest::filesEachWhereItsCategoriesSay()
{
    CoreFixture f;
    const QString home = f.dir.path() + QStringLiteral("/home/applications");
    const QString share = f.dir.path() + QStringLiteral("/share/applications");
    writeEntry(share, QStringLiteral("org.gnome.TextEditor"),
               QStringLiteral("Name=Text Editor\nName[zh_CN]=文本编辑器\nComment[zh_CN]=编辑文本文件\n"
                              "Categories=GTK;Utility;TextEditor;"));
    writeEntry(share, QStringLiteral("firefox-esr"),
               QStringLiteral(
                   "Name=Firefox ESR\nComment=Browse the World Wide Web\nCategories=Network;WebBrowser;"));
    writeEntry(share, QStringLiteral("xterm"),
               QStringLiteral("Name=终端\nCategories=System;TerminalEmulator;"));
    writeEntry(share, QStringLiteral("kitty"),
               QStringLiteral("Name=终端\nCategories=System;TerminalEmulator;"));
    writeEntry(share, QStringLiteral("hidden"), QStringLiteral("Name=Hidden\nHidden=true\nCategories=Game;"));
    writeEntry(share, QStringLiteral("helper"),
               QStringLiteral("Name=Helper\nNoDisplay=true\nCategories=Game;"));
    writeEntry(share, QStringLiteral("gone"),
               QStringLiteral("Name=Gone\nTryExec=/nonexistent/gone\nCategories=Game;"));
    // The user's own entry hides the system's of the same file id.
    writeEntry(share, QStringLiteral("mines"), QStringLiteral("Name=System Mines\nCategories=Game;"));
    const QString mine =
        writeEntry(home, QStringLiteral("mines"), QStringLiteral("Name=扫雷\nCategories=Game;"));

    const QList<InstalledApplication> apps = listInstalledApplications({home, share});
    QStringList ids;
    for (const InstalledApplication& a : apps)
        ids << a.fileId;
    QCOMPARE(ids, QStringList({"firefox-esr", "mines", "org.gnome.TextEditor", "kitty", "xterm"}));

    QCOMPARE(fileInstalledApplications(f.launcher, apps), 5);
    const AppState disk = f.reload();
    QCOMPARE(f.iniValue(kKeyYcount), 5);
    QCOMPARE(disk.settings.ycount, 5);
    auto at = [&](int major, int nameIndex, int slot) -> const ProgramEntry& {
        return disk.catalogue.at(major, CoreFixture::column(disk, major, nameIndex), slot);
    };
    const ProgramEntry& browser = at(2, 1, 0);
    QCOMPARE(browser.name, u8("Firefox ESR"));
    QCOMPARE(browser.title, u8("Firef"));
    QCOMPARE(browser.description, u8("Browse the World Wide Web"));
    QCOMPARE(browser.useCounter, 1);
    QCOMPARE(browser.minorName, u8("网页"));
    const ProgramEntry& editor = at(4, 4, 0);
    QCOMPARE(editor.name, u8("文本编辑器"));
    QCOMPARE(editor.description, u8("编辑文本文件"));
    QCOMPARE(at(1, 0, 0).exePath, mine.toStdString());
    QCOMPARE(at(1, 0, 0).name, u8("扫雷"));
    // Two applications named "终端": the second is told apart by its file id.
    QCOMPARE(at(4, 2, 0).name == u8("终端") ? at(4, 2, 1).name : at(4, 2, 0).name, u8("xterm"));
    // Every program has a record of its own.
    QSet<int> records;
    for (const auto& e : {at(2, 1, 0), at(4, 4, 0), at(1, 0, 0), at(4, 2, 0), at(4, 2, 1)})
        records.insert(e.recordNo);
    QCOMPARE(records.size(), 5);

    // Filing them again files nothing: each is filed already.
    QCOMPARE(fileInstalledApplications(f.launcher, apps), 0);
    QCOMPARE(f.iniValue(kKeyYcount), 5);
}

void InstalledImportTest::aMinorCategoryTakes25()
{
    CoreFixture f;
    const QString share = f.dir.path() + QStringLiteral("/applications");
    for (int i = 0; i < 27; ++i)
        writeEntry(share, QStringLiteral("game%1").arg(i, 2, 10, QLatin1Char('0')),
                   QStringLiteral("Name=Game %1\nCategories=Game;").arg(i, 2, 10, QLatin1Char('0')));
    QCOMPARE(fileInstalledApplications(f.launcher, listInstalledApplications({share})), 25);
    QCOMPARE(f.iniValue(kKeyYcount), 25);
}

void InstalledImportTest::offeredOnceOnAnEmptyCatalogue()
{
    CoreFixture f;
    QVERIFY(installedImportOffered(f.state));
    QVERIFY(rememberImportAnswered(f.state));
    QVERIFY(!installedImportOffered(f.state));
    QCOMPARE(f.iniValue(kKeyAppsOffered), 1);

    CoreFixture filled;
    filled.put(0, 0, 0, "alpha", 1);
    QVERIFY(!installedImportOffered(filled.state));
}

void InstalledImportTest::thePickerFilterFindsNameCommentAndFileId()
{
    const InstalledApplication writer{QStringLiteral("/a/org.example.Writer.desktop"),
                                      QStringLiteral("org.example.Writer"),
                                      QStringLiteral("文字处理"),
                                      QStringLiteral("Write Letters"),
                                      {}};
    const InstalledApplication chess{
        QStringLiteral("/a/chess.desktop"), QStringLiteral("chess"), QStringLiteral("Chess"), QString(), {}};
    const auto shown = [&](const char* typed) {
        QStringList out;
        for (const InstalledApplication* app : {&writer, &chess})
            if (applicationMatches(*app, QString::fromUtf8(typed)))
                out << app->fileId;
        return out.join(u',');
    };
    QCOMPARE(shown(""), QStringLiteral("org.example.Writer,chess"));
    QCOMPARE(shown("   "), QStringLiteral("org.example.Writer,chess"));
    QCOMPARE(shown(" 文字 "), QStringLiteral("org.example.Writer"));
    QCOMPARE(shown("letters"), QStringLiteral("org.example.Writer"));
    QCOMPARE(shown("EXAMPLE.w"), QStringLiteral("org.example.Writer"));
    QCOMPARE(shown("cHe"), QStringLiteral("chess"));
    QCOMPARE(shown("e"), QStringLiteral("org.example.Writer,chess"));
    QCOMPARE(shown("calc"), QString());
}

QTEST_MAIN(InstalledImportTest)
#include "test_installed_import.moc"
