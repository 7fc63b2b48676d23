#include "ProgramIcons.h"

#include "DesktopEntry.h"
#include "platform/Desktop.h"
#include "platform/icons/PeIconReader.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>

namespace qbx {

QIcon iconFromIcoBytes(const QByteArray& ico)
{
    QBuffer buf;
    buf.setData(ico);
    if (!buf.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buf, "ico");
    // The bytes are an icon file: no other decoder is asked (asking loads every one of them).
    reader.setAutoDetectImageFormat(false);
    // Programs often carry one size at several colour depths: keep the deepest of each size.
    auto depthOf = [&ico](int i) {
        const qsizetype at = 6 + 16 * static_cast<qsizetype>(i);
        if (at + 8 > ico.size())
            return 0;
        const int bits = static_cast<quint8>(ico[at + 6]) | (static_cast<quint8>(ico[at + 7]) << 8);
        const int colors = static_cast<quint8>(ico[at + 2]);
        return bits != 0 ? bits : colors == 0 ? 8 : colors <= 2 ? 1 : colors <= 16 ? 4 : 8;
    };
    QMap<QPair<int, int>, QPair<int, QImage>> best;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage img = reader.read();
        if (img.isNull())
            continue;
        const QPair<int, int> size{img.width(), img.height()};
        const int depth = depthOf(i);
        if (!best.contains(size) || best[size].first < depth)
            best[size] = {depth, img};
    }
    QIcon icon;
    for (const auto& [depth, img] : std::as_const(best))
        icon.addPixmap(QPixmap::fromImage(img));
    return icon;
}

QIcon ProgramIcons::iconFromName(const QString& nameOrFile)
{
    if (nameOrFile.isEmpty())
        return {};
    if (QDir::isAbsolutePath(nameOrFile)) {
        if (!QFileInfo(nameOrFile).isFile())
            return {};
        // An icon file of Windows kind goes through our own reader, pictures through Qt.
        if (auto ico = icons::readFirstIcon(QFile::encodeName(nameOrFile).toStdString()))
            return iconFromIcoBytes(
                QByteArray(reinterpret_cast<const char*>(ico->data()), static_cast<qsizetype>(ico->size())));
        const QPixmap pm(nameOrFile);
        return pm.isNull() ? QIcon() : QIcon(pm);
    }
    if (QIcon::hasThemeIcon(nameOrFile))
        return QIcon::fromTheme(nameOrFile);
    // Older entries name a picture in the pixmaps/ folders, with or without its extension.
    static const QStringList suffixes{QString(), QStringLiteral(".png"), QStringLiteral(".xpm")};
    for (const QString& dir : XdgIconIndex::dataDirs()) {
        for (const QString& suffix : suffixes) {
            const QString file = dir + QStringLiteral("/pixmaps/") + nameOrFile + suffix;
            if (!nameOrFile.contains(u'/') && QFileInfo(file).isFile()) {
                const QPixmap pm(file);
                if (!pm.isNull())
                    return QIcon(pm);
            }
        }
    }
    QString base = nameOrFile;
    for (const QString& ext : {QStringLiteral(".png"), QStringLiteral(".svg"), QStringLiteral(".xpm")})
        if (base.endsWith(ext))
            base.chop(ext.size());
    if (base != nameOrFile && QIcon::hasThemeIcon(base))
        return QIcon::fromTheme(base);
    return {};
}

QIcon ProgramIcons::load(const QString& path)
{
    ++loads_;
    const QFileInfo fi(path);
    if (!fi.isFile())
        return {};
    const QIcon own = loadOwn(fi);
    if (!own.isNull())
        return own;
    // A program of its own without any icon still gets the desktop's picture of a program.
    static const QString generic = QStringLiteral("application-x-executable");
    return QIcon::hasThemeIcon(generic) ? QIcon::fromTheme(generic) : QIcon();
}

QIcon ProgramIcons::loadOwn(const QFileInfo& fi)
{
    const QString path = fi.filePath();
    if (isDesktopEntryPath(path)) {
        const auto e = readDesktopEntry(path);
        return e ? iconFromName(e->icon) : QIcon();
    }
    if (auto ico = icons::readFirstIcon(QFile::encodeName(path).toStdString()))
        return iconFromIcoBytes(
            QByteArray(reinterpret_cast<const char*>(ico->data()), static_cast<qsizetype>(ico->size())));
    const QString fromEntry = xdg_.iconFor(fi.absoluteFilePath());
    if (!fromEntry.isEmpty()) {
        const QIcon i = iconFromName(fromEntry);
        if (!i.isNull())
            return i;
    }
    const QString named = fi.fileName();
    if (!named.isEmpty() && QIcon::hasThemeIcon(named))
        return QIcon::fromTheme(named);
    return {};
}

QIcon ProgramIcons::icon(const QString& path)
{
    if (path.isEmpty())
        return {};
    const QFileInfo fi(path);
    const qint64 size = fi.exists() ? fi.size() : -1;
    const QDateTime mtime = fi.exists() ? fi.lastModified() : QDateTime();
    auto it = cache_.find(path);
    if (it != cache_.end() && it->size == size && it->mtime == mtime)
        return it->icon;
    QIcon i = load(path);
    cache_.insert(path, Entry{size, mtime, i});
    return i;
}

} // namespace qbx
