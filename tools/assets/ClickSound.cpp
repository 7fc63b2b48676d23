#include "ClickSound.h"

#include "LittleEndian.h"

#include <cmath>
#include <numbers>

namespace qbx::assets {

QByteArray clickWav()
{
    constexpr int rate = 44100;
    constexpr int samples = rate * 40 / 1000;
    // A soft knock: a short burst of noise for the attack, then two damped tones.
    QByteArray pcm;
    quint32 seed = 0x51ED2705u;
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / rate;
        seed = seed * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(seed >> 8) / 8388608.0) - 1.0;
        const double attack = std::min(1.0, t / 0.0008);
        const double v = attack * (0.35 * noise * std::exp(-t / 0.0025) +
                                   0.55 * std::sin(2 * std::numbers::pi * 1850 * t) * std::exp(-t / 0.006) +
                                   0.25 * std::sin(2 * std::numbers::pi * 620 * t) * std::exp(-t / 0.012));
        // Fade the last 5 ms to silence so the sound ends without a click of its own.
        const double tail = std::min(1.0, static_cast<double>(samples - i) / (rate * 0.005));
        const long s = std::lround(std::clamp(v * tail, -1.0, 1.0) * 26000.0);
        put16(pcm, static_cast<quint32>(static_cast<qint16>(s)) & 0xFFFF);
    }
    QByteArray wav("RIFF");
    put32(wav, static_cast<quint32>(36 + pcm.size()));
    wav.append("WAVEfmt ");
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, rate);
    put32(wav, rate * 2); // bytes per second
    put16(wav, 2);        // block align
    put16(wav, 16);       // bits per sample
    wav.append("data");
    put32(wav, static_cast<quint32>(pcm.size()));
    wav.append(pcm);
    return wav;
}

} // namespace qbx::assets
