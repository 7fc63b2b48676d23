#include "IconSources.h"

#include "DesktopEntry.h"
#include "ThemeIconFiles.h"
#include "XdgIconIndex.h"
#include "platform/ApplicationIndex.h"
#include "platform/icons/PeIconReader.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMap>
#include <QPainter>

namespace qbx {
namespace {

IconSource fromName(const QString& nameOrFile, const ThemeIconFiles& theme, int size)
{
    if (nameOrFile.isEmpty())
        return {};
    if (QDir::isAbsolutePath(nameOrFile))
        return QFileInfo(nameOrFile).isFile() ? IconSource{nameOrFile, false} : IconSource{};
    if (const QString file = theme.find(nameOrFile, size); !file.isEmpty())
        return {file, true};
    // Older entries name a picture in the pixmaps/ folders, with or without its extension.
    if (!nameOrFile.contains(u'/'))
        for (const QString& dir : XdgIconIndex::dataDirs())
            for (const char* suffix : {"", ".png", ".xpm"}) {
                const QString file = dir + QStringLiteral("/pixmaps/") + nameOrFile + QLatin1String(suffix);
                if (QFileInfo(file).isFile())
                    return {file, true};
            }
    QString base = nameOrFile;
    for (const QString& ext : {QStringLiteral(".png"), QStringLiteral(".svg"), QStringLiteral(".xpm")})
        if (base.endsWith(ext))
            base.chop(ext.size());
    return base != nameOrFile ? IconSource{theme.find(base, size), true} : IconSource{};
}

std::optional<QByteArray> icoBytes(const QString& file)
{
    const auto ico = icons::readFirstIcon(QFile::encodeName(file).toStdString());
    if (!ico)
        return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(ico->data()), static_cast<qsizetype>(ico->size()));
}

QImage fitted(QImage src, int device)
{
    if (src.isNull())
        return {};
    if (std::max(src.width(), src.height()) != device)
        src = src.scaled(device, device, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage out(device, device, QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    QPainter p(&out);
    p.drawImage((device - src.width()) / 2, (device - src.height()) / 2, src);
    return out;
}

} // namespace

IconSource findIconSource(const QString& path, const ApplicationIndex* index, const ThemeIconFiles& theme,
                          int size)
{
    const QFileInfo fi(path);
    if (!fi.isFile())
        return {};
    const QString generic = QStringLiteral("application-x-executable");
    if (isDesktopEntryPath(path)) {
        // An entry whose icon is not found shows the generic program icon, as a program does.
        const auto e = readDesktopEntry(path);
        if (IconSource s = e ? fromName(e->icon, theme, size) : IconSource{}; !s.file.isEmpty())
            return s;
        return {theme.find(generic, size), true};
    }
    if (icons::readFirstIcon(QFile::encodeName(path).toStdString()))
        return {path, false};
    if (index)
        if (const IndexedApplication* app = index->forProgram(fi.absoluteFilePath()))
            if (IconSource s = fromName(app->icon, theme, size); !s.file.isEmpty())
                return {s.file, true};
    if (const QString named = theme.find(fi.fileName(), size); !named.isEmpty())
        return {named, true};
    return {theme.find(generic, size), true};
}

QList<QImage> imagesFromIcoBytes(const QByteArray& ico)
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
    QList<QImage> out;
    for (const auto& [depth, img] : std::as_const(best))
        out.append(img);
    return out;
}

QImage drawIconFile(const QString& file, int devicePixels)
{
    if (file.isEmpty() || devicePixels <= 0)
        return {};
    if (const auto ico = icoBytes(file)) {
        // The largest picture up to the box, else the smallest.
        QImage upTo, smallest;
        for (const QImage& img : imagesFromIcoBytes(*ico)) {
            const int side = std::max(img.width(), img.height());
            if (side <= devicePixels && (upTo.isNull() || side > std::max(upTo.width(), upTo.height())))
                upTo = img;
            if (smallest.isNull() || side < std::max(smallest.width(), smallest.height()))
                smallest = img;
        }
        const QImage pick = upTo.isNull() ? smallest : upTo;
        return fitted(pick, devicePixels);
    }
    QImageReader reader(file);
    const QSize natural = reader.size();
    // Drawings are drawn at the box's size rather than scaled afterwards.
    if (natural.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize) &&
        (reader.format() == "svg" || reader.format() == "svgz"))
        reader.setScaledSize(natural.scaled(devicePixels, devicePixels, Qt::KeepAspectRatio));
    return fitted(reader.read(), devicePixels);
}

} // namespace qbx
