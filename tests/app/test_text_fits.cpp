// Every caption, list row and button of the windows fits its box with the fonts the program
// chooses; ctest runs this at 1x and with QT_SCALE_FACTOR=2. Each window is kept as a picture
// in build/window-shots/<scale>/ to look at.

#include "catwin/Form3.h"
#include "combos/Form10.h"
#include "combos/Form9.h"
#include "core/Launcher.h"
#include "editing/ApplicationPicker.h"
#include "editing/Form6.h"
#include "editing/Form8.h"
#include "mainwin/Form1.h"
#include "mainwin/Form2.h"
#include "settings/Form4.h"
#include "tests/support/EditorFixture.h"
#include "tests/support/TextFits.h"
#include "tests/support/WindowTestSupport.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

using namespace qbx;
using namespace qbx::testing;

class TextFitsTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowPopupAndCategoryWindow();
    void dialogs();
};

namespace {

// Checks `w` and keeps its picture.
void fits(QWidget& w, const QString& name)
{
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString scale = QString::number(w.devicePixelRatioF()) + QLatin1Char('x');
    const QString dir = QStringLiteral(QBX_WINDOW_SHOTS) + QLatin1Char('/') + scale;
    QDir().mkpath(dir);
    w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    const QStringList clipped = clippedTexts(w);
    QVERIFY2(clipped.isEmpty(), qPrintable(name + QStringLiteral(": ") + clipped.join(QStringLiteral("; "))));
}

// The longest names the boxes take: five-character titles, two-character minor names.
void fileLongTitles(WindowApp& app)
{
    for (int major = 0; major < kNamedMajors; ++major)
        for (int minor = 0; minor < kMinors; ++minor)
            for (int slot = 0; slot < 5; ++slot) {
                ProgramEntry& e =
                    app.file(major, minor, slot, "p" + std::to_string(major * 100 + minor * 10 + slot),
                             100 - slot, 1 + major * 125 + minor * 25 + slot);
                e.title = "文字处理器";
            }
}

} // namespace

void TextFitsTest::mainWindowPopupAndCategoryWindow()
{
    WindowApp app;
    app.writeSkins();
    app.writeSetting(kSectionBasic, kKeyStartMode, 1);
    fileLongTitles(app);
    for (auto& major : app.state.catalogue.e)
        for (auto& minor : major)
            for (ProgramEntry& e : minor)
                if (!e.exePath.empty())
                    app.writeRecord(e);
    Launcher core(app.state, app.desktop);
    core.startUp();
    Form1 main(core);
    main.load();
    fits(main, QStringLiteral("main-window"));
    main.Image2_MouseMove(2, Qt::NoButton, 100, 500);
    QVERIFY(main.popup());
    fits(*main.popup(), QStringLiteral("popup"));
    main.popup()->Picture1_MouseMove(0);
    QVERIFY(main.categoryWindow());
    fits(*main.categoryWindow(), QStringLiteral("category-window"));
}

void TextFitsTest::dialogs()
{
    qbx::test::EditorFixture f;
    f.put(1, 2, 3, "alpha", 4);

    fits(f.open(Form6Mode::ClassifyMenu), QStringLiteral("classification-editor"));

    Form4 settings;
    settings.load(1, 3000, 1000);
    fits(settings, QStringLiteral("system-settings"));

    Form8 title(f.launcher, f.link, 1, 2, 3);
    fits(title, QStringLiteral("change-title"));

    Form9 combos(f.launcher, f.link);
    combos.load();
    fits(combos, QStringLiteral("combinations"));

    Form10 report;
    LaunchResult result;
    for (MemberLaunch& m : result)
        m = {MemberLaunch::Outcome::Failed, "文字处理器"};
    report.showReport(result, f.desktop.screenGeometry());
    report.Timer1_Timer();
    report.Timer1_Timer();
    QVERIFY(!report.Label7->text().isEmpty());
    fits(report, QStringLiteral("combination-report"));

    const QList<InstalledApplication> apps{{QStringLiteral("/a/writer.desktop"),
                                            QStringLiteral("writer"),
                                            QStringLiteral("文字处理器软件"),
                                            QStringLiteral("编写文档"),
                                            {}},
                                           {QStringLiteral("/a/chess.desktop"),
                                            QStringLiteral("chess"),
                                            QStringLiteral("国际象棋"),
                                            QString(),
                                            {}}};
    for (const InstalledApplication& app : apps) {
        QPixmap icon(32, 32);
        icon.fill(app.fileId == QLatin1String("chess") ? Qt::darkRed : Qt::darkBlue);
        f.desktop.setIcon(app.path, QIcon(icon));
    }
    ApplicationPicker picker(apps, f.desktop);
    fits(picker, QStringLiteral("application-picker"));
}

QTEST_MAIN(TextFitsTest)
#include "test_text_fits.moc"
