#pragma once
// Texts are UTF-8 in the store and QString in the windows.

#include <QString>

#include <string>

namespace qbx {

inline QString qs(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace qbx
