#pragma once
// Test helper: a short sound file the click sound can play.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTest>
#include <QtEndian>

namespace qbx::testing {

// A 20 ms 16-bit mono 44.1 kHz PCM wave file.
inline void writeWave(const QString& path)
{
    const quint32 samples = 882;
    QByteArray data(static_cast<int>(samples * 2), '\0');
    for (quint32 i = 0; i < samples; ++i)
        qToLittleEndian<qint16>(static_cast<qint16>((i % 40 < 20) ? 8000 : -8000), data.data() + 2 * i);
    QByteArray h;
    auto u32 = [&](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        h.append(b, 4);
    };
    auto u16 = [&](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        h.append(b, 2);
    };
    h.append("RIFF");
    u32(36 + static_cast<quint32>(data.size()));
    h.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(44100);
    u32(88200);
    u16(2);
    u16(16);
    h.append("data");
    u32(static_cast<quint32>(data.size()));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(h + data);
}

} // namespace qbx::testing
