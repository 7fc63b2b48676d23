// The click sound: silent without its file, one sound effect for every press, a program folder
// with blanks in its path.

#include "settings/ClickSound.h"
#include "Wave.h"

#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QtTest>

using namespace qbx;
using qbx::testing::writeWave;

class ClickSoundTest : public QObject {
    Q_OBJECT
private slots:
    void silentWithoutTheFile();
    void onePressRestartsTheSameSound();
    void folderWithBlanks();
};

void ClickSoundTest::silentWithoutTheFile()
{
    QTemporaryDir dir;
    ClickSound sound(dir.path().toStdString());
    QVERIFY(!sound.PlayClickSound());
    QVERIFY(!sound.PlayClickSound());
    QVERIFY(sound.effect() == nullptr);
}

void ClickSoundTest::onePressRestartsTheSameSound()
{
    QTemporaryDir dir;
    ClickSound sound(dir.path().toStdString());
    writeWave(dir.filePath("click.wav"));
    QVERIFY(sound.PlayClickSound());
    const QSoundEffect* first = sound.effect();
    QVERIFY(first);
    QCOMPARE(first->source(), QUrl::fromLocalFile(dir.filePath("click.wav")));
    for (int i = 0; i < 5; ++i)
        QVERIFY(sound.PlayClickSound());
    // Never more than one sound: every press goes to the same effect.
    QCOMPARE(sound.effect(), first);
    QCOMPARE(sound.findChildren<QSoundEffect*>().size(), 1);
    // Without an audio device the effect fails quietly; either way the program goes on.
    QTest::qWait(50);
    // The file taken away while the program runs: the next press is silent and stops the sound.
    QVERIFY(QFile::remove(dir.filePath("click.wav")));
    QVERIFY(!sound.PlayClickSound());
    QVERIFY(!sound.effect()->isPlaying());
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
    QCOMPARE(sound.effect()->source(), QUrl::fromLocalFile(folder + "/click.wav"));
}

QTEST_MAIN(ClickSoundTest)
#include "ClickSoundTest.moc"
