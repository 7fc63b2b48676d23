// The system-settings dialog with the choices behind it: opening selects what the values show
// and writes them again, a click writes at once, "确定" accepts; and the about box.

#include "core/Launcher.h"
#include "settings/About.h"
#include "settings/Form4.h"
#include "store/Ini.h"
#include "tests/support/TempProgramFolder.h"
#include "ui/PictureBox.h"

#include <QComboBox>
#include <QImage>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace qbx;

namespace {

// A program folder with the core that writes the dialog's choices, connected as the program does.
struct Rig : qbx::testing::TempProgramFolder {
    Launcher launcher{state, desktop};
    Form4 form;
    Rig()
    {
        QObject::connect(&form, &Form4::startModeChosen, &launcher, &Launcher::chooseStartMode);
        QObject::connect(&form, &Form4::mainDelayChosen, &launcher, &Launcher::chooseMainDelay);
        QObject::connect(&form, &Form4::categoryDelayChosen, &launcher, &Launcher::chooseCategoryDelay);
        QObject::connect(&form, &Form4::shortcutChosen, &launcher, &Launcher::chooseShortcut);
    }
    void load()
    {
        form.load(state.settings.startMode, state.settings.mainHideDelayMs,
                  state.settings.categoryHideDelayMs);
    }
};

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void openingSelectsAndRewritesEveryValue()
    {
        Rig r;
        r.state.settings.startMode = 2;
        r.state.settings.mainHideDelayMs = 2500;
        r.load();
        QCOMPARE(r.form.Option[2]->text(), QStringLiteral("开机启动并最小化"));
        QCOMPARE(r.form.Combo2->count(), 3);
        QVERIFY(r.form.Option[1]->isChecked());
        QCOMPARE(r.form.Combo1->currentText(), QStringLiteral("3"));
        QCOMPARE(r.form.Combo2->currentText(), QStringLiteral("1"));

        // 2500 ms became the 3 s shown; all three values and the login entry were written.
        QCOMPARE(int(r.state.settings.mainHideDelayMs), 3000);
        QCOMPARE(r.readSetting("自动隐藏时间", "主窗口"), std::optional<std::int16_t>(3000));
        QCOMPARE(r.readSetting("自动隐藏时间", "分类窗口"), std::optional<std::int16_t>(1000));
        QCOMPARE(r.readSetting("基本设置", "启动"), std::optional<std::int16_t>(2));
        QCOMPARE(r.desktop.loginEntries.size(), 1);
        QCOMPARE(r.desktop.loginEntries[0].program, QCoreApplication::applicationFilePath());
        QCOMPARE(r.desktop.loginEntries[0].icon, r.dir.path() + "/exe13.ico");
        QVERIFY(r.desktop.loginEntries[0].enabled);
        QVERIFY(r.launcher.takeSettingsFailures().isEmpty());
    }

    void openingLeavesUnmatchedValuesUnselected()
    {
        Rig r;
        QSignalSpy modes(&r.form, &Form4::startModeChosen);
        QSignalSpy categories(&r.form, &Form4::categoryDelayChosen);
        r.state.settings.startMode = 0;
        r.state.settings.categoryHideDelayMs = 7000;
        r.load();
        for (QRadioButton* option : r.form.Option)
            QVERIFY(!option->isChecked());
        QCOMPARE(r.form.Combo2->currentIndex(), -1);
        QCOMPARE(modes.count(), 0);
        QCOMPARE(categories.count(), 0);
        QVERIFY(r.desktop.loginEntries.isEmpty());
        QCOMPARE(r.readSetting("基本设置", "启动"), std::optional<std::int16_t>(-1));
        QCOMPARE(r.readSetting("自动隐藏时间", "主窗口"), std::optional<std::int16_t>(3000));
    }

    void choicesAreWrittenAtOnce()
    {
        Rig r;
        r.load();
        QSignalSpy delays(&r.launcher, &Launcher::hideDelaysChanged);
        QSignalSpy accepted(&r.form, &QDialog::accepted);
        QSignalSpy rejected(&r.form, &QDialog::rejected);

        r.form.Option[3]->click(); // "不开机启动": the entry stays, switched off
        QCOMPARE(r.readSetting("基本设置", "启动"), std::optional<std::int16_t>(4));
        QVERIFY(!r.desktop.loginEntries.last().enabled);
        emit r.form.Combo2->activated(2);
        QCOMPARE(r.readSetting("自动隐藏时间", "分类窗口"), std::optional<std::int16_t>(3000));
        QCOMPARE(delays.count(), 1);
        QCOMPARE(delays[0], (QVariantList{3000, 3000}));

        // The find box's combination: shown without a write, a typed one written at once (the
        // last combination typed is the one kept), the clear button leaves none.
        r.form.loadShortcut(QStringLiteral("Ctrl+Alt+Space"));
        QCOMPARE(r.form.Shortcut->keySequence(), QKeySequence(QStringLiteral("Ctrl+Alt+Space")));
        QVERIFY(!qbx::readIniText("基本设置", "快捷键", r.state.settingsFile()));
        r.form.Shortcut->setFocus();
        QTest::keyClick(r.form.Shortcut, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(r.form.Shortcut, Qt::Key_K, Qt::MetaModifier);
        QTRY_COMPARE(qbx::readIniText("基本设置", "快捷键", r.state.settingsFile()), "Meta+K");
        QCOMPARE(r.form.Shortcut->keySequence(), QKeySequence(QStringLiteral("Meta+K")));
        r.form.Shortcut->clear();
        QCOMPARE(qbx::readIniText("基本设置", "快捷键", r.state.settingsFile()), "");
        QCOMPARE(r.state.settings.shortcut, "");
        r.form.showShortcutProblem(QStringLiteral("这个快捷键已被其他程序占用，请换一个。"));
        QVERIFY(r.form.Label3->isVisibleTo(&r.form));

        r.form.Command1->click();
        QCOMPARE(accepted.count(), 1);
        r.form.reject(); // Esc or the window's close button
        QCOMPARE(rejected.count(), 1);
    }

    void aboutBoxShowsNameVersionAndIcon()
    {
        QTemporaryDir dir;
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::darkBlue);
        QVERIFY(icon.save(dir.path() + "/exe13.ico", "ICO"));
        about box(qbx::textPath(dir.path()), QStringLiteral("Quillbox"), QVersionNumber({0, 8, 0, 0}));
        QCOMPARE(box.windowTitle(), QStringLiteral("关于 Quillbox"));
        QCOMPARE(box.Label3->text(), QStringLiteral("Quillbox"));
        QCOMPARE(box.lblVersion->text(), QStringLiteral("版本 0.8.0"));
        QVERIFY(box.lblDescription->text().startsWith(QStringLiteral("这是我所见到的软件中分类管理最好")));
        QCOMPARE(box.cmdOK->text(), QStringLiteral("确定"));
        QVERIFY(box.picIcon->hasPicture());
        QVERIFY(!box.isModal());

        about bare(qbx::textPath(dir.path() + "/missing"), QStringLiteral("Quillbox"), QVersionNumber(1, 2));
        QCOMPARE(bare.lblVersion->text(), QStringLiteral("版本 1.2.0"));
        QVERIFY(!bare.picIcon->hasPicture());
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "test_settings_dialog.moc"
