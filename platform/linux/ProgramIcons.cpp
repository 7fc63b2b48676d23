#include "ProgramIcons.h"

#include "DesktopEntry.h"
#include "IconSources.h"
#include "platform/Desktop.h"
#include "platform/icons/PeIconReader.h"
#include "platform/icons/PeIconReader.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>

namespace qbx {

QIcon iconFromIcoBytes(const QByteArray& ico)
{
    QIcon icon;
    for (const QImage& img : imagesFromIcoBytes(ico))
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
