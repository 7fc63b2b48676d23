#pragma once
// The system's font configuration, asked directly where asking Qt would open a font (on Linux:
// fontconfig, platform/linux/FontConfig.cpp).

#include <QStringList>

namespace qbx {

// Reads the font configuration and its caches now (a few milliseconds), which the first text
// would otherwise wait for. Safe on any thread: start-up does it beside the application object.
void prepareFontConfiguration();

// Whether a font of one of `families` is installed (under any of its names; case and blanks do
// not count), found in the configuration's list without opening a font file.
bool fontFamilyInstalled(const QStringList& families);

} // namespace qbx
