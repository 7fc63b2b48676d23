#pragma once
// Paths between the store (std::filesystem::path, UTF-8) and Qt (QString).

#include <QString>

#include <filesystem>

namespace qbx {

inline QString pathText(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(utf8.data()), static_cast<qsizetype>(utf8.size()));
}

inline std::filesystem::path textPath(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.constData()),
                                               static_cast<std::size_t>(utf8.size())));
}

} // namespace qbx
