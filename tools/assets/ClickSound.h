#pragma once
// The click of a pressed tile: about 40 ms, 16-bit PCM, mono, 44.1 kHz, as a complete .wav file.

#include <QByteArray>

namespace qbx::assets {

QByteArray clickWav();

} // namespace qbx::assets
