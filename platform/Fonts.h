#pragma once
// The system's font configuration, asked directly where asking Qt would open a font (on Linux:
// fontconfig, platform/linux/FontConfig.cpp).

#include <QStringList>

namespace qbx {

// Whether a font of one of `families` is installed (under any of its names; case and blanks do
// not count), found in the configuration's list without opening a font file.
bool fontFamilyInstalled(const QStringList& families);

} // namespace qbx
