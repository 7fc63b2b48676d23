// The click sound: silent without its file, every press with the file starts it (again), a
// program folder with blanks in its path; without a sound server nothing waits or fails.

#include "settings/ClickSound.h"
#include "tests/support/Wave.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace qbx;
using qbx::testing::writeWave;

class ClickSoundTest : public QObject {
    Q_OBJECT
private slots:
    void silentWithoutTheFile();
    void everyPressStartsTheSound();
    void folderWithBlanks();
};

void ClickSoundTest::silentWithoutTheFile()
{
    QTemporaryDir dir;
    ClickSound sound(dir.path().toStdString());
    QVERIFY(!sound.PlayClickSound());
    QVERIFY(!sound.PlayClickSound());
    QCOMPARE(sound.soundsStarted(), 0);
}

void ClickSoundTest::everyPressStartsTheSound()
{
    QTemporaryDir dir;
    {
        ClickSound sound(dir.path().toStdString());
        writeWave(dir.filePath("click.wav"));
        for (int i = 0; i < 6; ++i)
            QVERIFY(sound.PlayClickSound());
        QCOMPARE(sound.soundsStarted(), 6);
        // The file taken away while the program runs: the next press is silent.
        QVERIFY(QFile::remove(dir.filePath("click.wav")));
        QVERIFY(!sound.PlayClickSound());
        QCOMPARE(sound.soundsStarted(), 6);
    }
    // Gone with its owner, whatever the sound server did (here there is none): nothing is left
    // running and the program goes on.
}

void ClickSoundTest::folderWithBlanks()
{
    QTemporaryDir base;
    const QString folder = base.filePath("My Program Files/Quill box");
    QVERIFY(QDir().mkpath(folder));
    writeWave(folder + "/click.wav");
    ClickSound sound(std::filesystem::path(folder.toStdU16String()));
    QCOMPARE(sound.soundFile(), folder + "/click.wav");
    QVERIFY(sound.PlayClickSound());
}

QTEST_MAIN(ClickSoundTest)
#include "test_click_sound.moc"
