// What choosing in the system-settings dialog writes, without the dialog: the item a delay shows
// (rounded half to even), failed writes told once a round while the values are kept.

#include "core/SettingsChoices.h"
#include "tests/support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qbx;

namespace {

struct Folder : qbx::testing::TempProgramFolder {
    SettingsChoices choices(const std::filesystem::path& iniPath)
    {
        return SettingsChoices(state.settings, iniPath, desktop, dir.path() + "/qbx",
                               dir.path() + "/exe13.ico");
    }
};

} // namespace

class SettingsChoicesTest : public QObject {
    Q_OBJECT
private slots:
    void delayItemsRoundHalfToEven()
    {
        const struct {
            int ms, items, index;
        } cases[] = {
            {3000, 5, 2},  {2500, 5, 2},  {3500, 5, 2}, {4500, 5, 4},   {1500, 5, 0},
            {1000, 3, 0},  {500, 5, 0},   {5400, 5, 4}, {5500, 5, 4},   {6500, 5, -1},
            {6000, 5, -1}, {4000, 3, -1}, {0, 5, -1},   {-3000, 5, -1}, {32767, 5, -1},
        };
        for (const auto& c : cases)
            QVERIFY2(delayIndex(c.ms, c.items) == c.index, qPrintable(QString::number(c.ms)));
        QCOMPARE(startOption(0), 0);
        QCOMPARE(startOption(5), 0);
        QCOMPARE(startOption(-1), 0);
        QCOMPARE(startOption(3), 3);
    }

    void failedWritesAreToldAndTheValuesKept()
    {
        Folder f;
        f.desktop.setStartAtLoginResult(false);
        SettingsChoices loginFails = f.choices(f.state.settingsFile());
        loginFails.chooseStartMode(2);
        QCOMPARE(loginFails.takeMessages(),
                 QStringList{QStringLiteral("无法写入开机启动项“fake-autostart”，开机启动的方式没有改变。")});
        QCOMPARE(f.state.settings.startMode, 2);
        QCOMPARE(f.readSetting("基本设置", "启动"), std::optional<std::int16_t>(2)); // saved all the same
        loginFails.chooseStartMode(3);
        QVERIFY(loginFails.takeMessages().isEmpty()); // told once per opening

        // The settings file cannot be written: a file stands where its folder should be.
        f.desktop.setStartAtLoginResult(true);
        QFile blocker(f.dir.path() + "/blocker");
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const auto unwritable =
            qbx::textPath(f.dir.path()) / "blocker" / std::filesystem::u8path("基本设置.ini");
        SettingsChoices iniFails = f.choices(unwritable);
        iniFails.chooseMainDelay(4);
        iniFails.chooseCategoryDelay(2);
        iniFails.chooseStartMode(1);
        const QString told = QStringLiteral("无法把设置保存到“%1”，这次的更改只在本次运行中有效。")
                                 .arg(QDir::toNativeSeparators(f.dir.path() + "/blocker/基本设置.ini"));
        QCOMPARE(iniFails.takeMessages(), QStringList{told});
        QCOMPARE(f.state.settings.mainHideDelayMs, 4000);
        QCOMPARE(f.state.settings.categoryHideDelayMs, 2000);
        QCOMPARE(f.state.settings.startMode, 1);
    }
};

QTEST_MAIN(SettingsChoicesTest)
#include "test_settings_choices.moc"
