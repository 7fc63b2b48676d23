// The system-settings dialog and what its choices do: the item a delay shows (rounded half to
// even), opening rewriting every value, choices written at once, failed writes told once, the
// start-at-login entry on and off; and the about box.

#include "About.h"
#include "FakeDesktop.h"
#include "Form4.h"
#include "Ini.h"
#include "PictureBox.h"
#include "SettingsChoices.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace qbx;

namespace {

std::filesystem::path u8(const QString& s) { return std::filesystem::u8path(s.toUtf8().toStdString()); }

// A program folder with a settings file path, a fake desktop and the settings in memory.
struct Folder {
    QTemporaryDir dir;
    FakeDesktop desktop;
    Settings values;
    std::filesystem::path ini = u8(dir.path()) / std::filesystem::u8path("基本设置.ini");

    SettingsChoices choices(const std::filesystem::path& iniPath)
    {
        return SettingsChoices(values, iniPath, desktop, dir.path() + "/qbx", dir.path() + "/exe13.ico");
    }
    std::optional<std::int16_t> stored(const char* section, const char* key) const
    {
        return readIniInt(section, key, -1, ini);
    }
};

// The dialog connected to the choices as the program connects them.
void connectDialog(Form4& form, SettingsChoices& choices)
{
    QObject::connect(&form, &Form4::startModeChosen, &form, [&](int o) { choices.chooseStartMode(o); });
    QObject::connect(&form, &Form4::mainDelayChosen, &form, [&](int s) { choices.chooseMainDelay(s); });
    QObject::connect(&form, &Form4::categoryDelayChosen, &form, [&](int s) { choices.chooseCategoryDelay(s); });
}

} // namespace

class SettingsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void delayItemsRoundHalfToEven()
    {
        const struct {
            int ms, items, index;
        } cases[] = {
            {3000, 5, 2}, {2500, 5, 2}, {3500, 5, 2}, {4500, 5, 4}, {1500, 5, 0}, {1000, 3, 0},
            {500, 5, 0},  {5400, 5, 4}, {5500, 5, 4}, {6500, 5, -1}, {6000, 5, -1}, {4000, 3, -1}, {0, 5, -1},
            {-3000, 5, -1}, {32767, 5, -1},
        };
        for (const auto& c : cases)
            QVERIFY2(delayIndex(c.ms, c.items) == c.index, qPrintable(QString::number(c.ms)));
        QCOMPARE(startOption(0), 0);
        QCOMPARE(startOption(5), 0);
        QCOMPARE(startOption(-1), 0);
        QCOMPARE(startOption(3), 3);
    }

    void openingSelectsAndRewritesEveryValue()
    {
        Folder f;
        f.values.startMode = 2;
        f.values.mainHideDelayMs = 2500;
        SettingsChoices choices = f.choices(f.ini);
        Form4 form;
        connectDialog(form, choices);
        form.load(f.values.startMode, f.values.mainHideDelayMs, f.values.categoryHideDelayMs);

        QCOMPARE(form.Option[2]->text(), QStringLiteral("开机启动并最小化"));
        QCOMPARE(form.Combo2->count(), 3);
        QVERIFY(form.Option[1]->isChecked());
        QCOMPARE(form.Combo1->currentText(), QStringLiteral("3"));
        QCOMPARE(form.Combo2->currentText(), QStringLiteral("1"));

        // 2500 ms became the 3 s shown; all three values and the login entry were written.
        QCOMPARE(f.values.mainHideDelayMs, 3000);
        QCOMPARE(f.stored("自动隐藏时间", "主窗口"), std::optional<std::int16_t>(3000));
        QCOMPARE(f.stored("自动隐藏时间", "分类窗口"), std::optional<std::int16_t>(1000));
        QCOMPARE(f.stored("基本设置", "启动"), std::optional<std::int16_t>(2));
        QCOMPARE(f.desktop.loginEntries.size(), 1);
        QCOMPARE(f.desktop.loginEntries[0].program, f.dir.path() + "/qbx");
        QCOMPARE(f.desktop.loginEntries[0].icon, f.dir.path() + "/exe13.ico");
        QVERIFY(f.desktop.loginEntries[0].enabled);
        QVERIFY(choices.takeMessages().isEmpty());
    }

    void openingLeavesUnmatchedValuesUnselected()
    {
        Folder f;
        SettingsChoices choices = f.choices(f.ini);
        Form4 form;
        connectDialog(form, choices);
        QSignalSpy modes(&form, &Form4::startModeChosen);
        QSignalSpy categories(&form, &Form4::categoryDelayChosen);
        form.load(0, 3000, 7000);
        for (QRadioButton* option : form.Option)
            QVERIFY(!option->isChecked());
        QCOMPARE(form.Combo2->currentIndex(), -1);
        QCOMPARE(modes.count(), 0);
        QCOMPARE(categories.count(), 0);
        QVERIFY(f.desktop.loginEntries.isEmpty());
        QCOMPARE(f.stored("基本设置", "启动"), std::optional<std::int16_t>(-1));
        QCOMPARE(f.stored("自动隐藏时间", "主窗口"), std::optional<std::int16_t>(3000));
    }

    void choicesAreWrittenAtOnce()
    {
        Folder f;
        SettingsChoices choices = f.choices(f.ini);
        Form4 form;
        connectDialog(form, choices);
        form.load(1, 3000, 1000);
        QSignalSpy accepted(&form, &QDialog::accepted);
        QSignalSpy rejected(&form, &QDialog::rejected);

        form.Option[3]->click(); // "不开机启动": the entry stays, switched off
        QCOMPARE(f.stored("基本设置", "启动"), std::optional<std::int16_t>(4));
        QVERIFY(!f.desktop.loginEntries.last().enabled);
        emit form.Combo2->activated(2);
        QCOMPARE(f.values.categoryHideDelayMs, 3000);
        QCOMPARE(f.stored("自动隐藏时间", "分类窗口"), std::optional<std::int16_t>(3000));

        form.Command1->click();
        QCOMPARE(accepted.count(), 1);
        form.reject(); // Esc or the window's close button
        QCOMPARE(rejected.count(), 1);
    }

    void failedWritesAreToldAndTheValuesKept()
    {
        Folder f;
        f.desktop.setStartAtLoginResult(false);
        SettingsChoices loginFails = f.choices(f.ini);
        loginFails.chooseStartMode(2);
        QCOMPARE(loginFails.takeMessages(),
                 QStringList{QStringLiteral("无法写入开机启动项“fake-autostart”，开机启动的方式没有改变。")});
        QCOMPARE(f.values.startMode, 2);
        QCOMPARE(f.stored("基本设置", "启动"), std::optional<std::int16_t>(2)); // saved all the same
        loginFails.chooseStartMode(3);
        QVERIFY(loginFails.takeMessages().isEmpty()); // told once per opening

        // The settings file cannot be written: a file stands where its folder should be.
        f.desktop.setStartAtLoginResult(true);
        QFile blocker(f.dir.path() + "/blocker");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const auto unwritable = u8(f.dir.path()) / "blocker" / std::filesystem::u8path("基本设置.ini");
        SettingsChoices iniFails = f.choices(unwritable);
        iniFails.chooseMainDelay(4);
        iniFails.chooseCategoryDelay(2);
        iniFails.chooseStartMode(1);
        const QString told = QStringLiteral("无法把设置保存到“%1”，这次的更改只在本次运行中有效。")
                                 .arg(QDir::toNativeSeparators(f.dir.path() + "/blocker/基本设置.ini"));
        QCOMPARE(iniFails.takeMessages(), QStringList{told});
        QCOMPARE(f.values.mainHideDelayMs, 4000);
        QCOMPARE(f.values.categoryHideDelayMs, 2000);
        QCOMPARE(f.values.startMode, 1);
    }

    void aboutBoxShowsNameVersionAndIcon()
    {
        QTemporaryDir dir;
        QImage icon(32, 32, QImage::Format_ARGB32);
        icon.fill(Qt::darkBlue);
        QVERIFY(icon.save(dir.path() + "/exe13.ico", "ICO"));
        about box(u8(dir.path()), QStringLiteral("Quillbox"), QVersionNumber({0, 8, 0, 0}));
        QCOMPARE(box.windowTitle(), QStringLiteral("关于 Quillbox"));
        QCOMPARE(box.Label3->text(), QStringLiteral("Quillbox"));
        QCOMPARE(box.lblVersion->text(), QStringLiteral("版本 0.8.0"));
        QVERIFY(box.lblDescription->text().startsWith(QStringLiteral("这是我所见到的软件中分类管理最好")));
        QCOMPARE(box.cmdOK->text(), QStringLiteral("确定"));
        QVERIFY(box.picIcon->hasPicture());
        QVERIFY(!box.isModal());

        about bare(u8(dir.path() + "/missing"), QStringLiteral("Quillbox"), QVersionNumber(1, 2));
        QCOMPARE(bare.lblVersion->text(), QStringLiteral("版本 1.2.0"));
        QVERIFY(!bare.picIcon->hasPicture());
    }
};

QTEST_MAIN(SettingsDialogTest)
#include "SettingsDialogTest.moc"
