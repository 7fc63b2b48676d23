// The click sound: silent without its file, one sound effect for every press, a program folder
// with blanks in its path.

#include "ClickSound.h"

#include <QDir>
#include <QFile>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

using namespace qbx;

namespace {

// A 20 ms 16-bit mono 44.1 kHz PCM wave file.
void writeWave(const QString& path) {
    const quint32 samples = 882;
    QByteArray data(static_cast<int>(samples * 2), '\0');
    for (quint32 i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(static_cast<qint16>((i % 40 < 20) ? 8000 : -8000), data.data() + 2 * i);
    QByteArray h;
    auto u32 = [&](quint32 v) { char b[4]; qToLittleEndian(v, b); h.append(b, 4); };
    auto u16 = [&](quint16 v) { char b[2]; qToLittleEndian(v, b); h.append(b, 2); };
    h.append("RIFF");
    u32(36 + static_cast<quint32>(data.size()));
    h.append("WAVEfmt ");
    u32(16); u16(1); u16(1); u32(44100); u32(88200); u16(2); u16(16);
    h.append("data");
    u32(static_cast<quint32>(data.size()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(h + data);
}

} // namespace

class ClickSoundTest : public QObject {
    Q_OBJECT
private slots:
    void silentWithoutTheFile();
    void onePressRestartsTheSameSound();
    void folderWithBlanks();
};

void ClickSoundTest::silentWithoutTheFile() {
    QTemporaryDir dir;
    ClickSound sound(dir.path().toStdString());
    QVERIFY(!sound.PlayClickSound());
    QVERIFY(!sound.PlayClickSound());
    QVERIFY(sound.effect() == nullptr);
}

void ClickSoundTest::onePressRestartsTheSameSound() {
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

void ClickSoundTest::folderWithBlanks() {
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
