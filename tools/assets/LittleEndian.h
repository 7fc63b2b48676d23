#pragma once
// Appending little-endian integers, as the icon and sound file formats store them.

#include <QByteArray>

namespace qbx::assets {

inline void put16(QByteArray& b, quint32 v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>((v >> 8) & 0xFF));
}

inline void put32(QByteArray& b, quint32 v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

} // namespace qbx::assets
