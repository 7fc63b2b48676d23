#include "Skin.h"

#include "PictureBox.h"
#include "platform/Logging.h"
#include "platform/Paths.h"

#include <QFileInfo>
#include <QDateTime>
#include <QImageReader>
#include <QPixmapCache>
#include <QStringList>

namespace qbx {

namespace {

// The decoder its name tells is tried first, so that only that one is loaded; a file whose content
// is of another kind (a bitmap named .jpg) is read by its content.
QImage decode(const QString& file)
{
    const QByteArray named = QFileInfo(file).suffix().toLower().toLatin1();
    if (!named.isEmpty()) {
        QImageReader reader(file, named);
        reader.setAutoDetectImageFormat(false);
        QImage image = reader.read();
        if (!image.isNull())
            return image;
    }
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

// What a picture is kept under while its file stays the same (another size or time is read again).
QString cacheKey(const QString& file, const QFileInfo& info)
{
    return QStringLiteral("qbx-skin:%1:%2:%3")
        .arg(file)
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

// A picture is decoded once while its file stays the same: the seven tiles share their skins.
QPixmap readOne(const QString& file)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return {};
    const QString key = cacheKey(file, info);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    const QImage image = decode(file);
    if (image.isNull())
        return {};
    picture = QPixmap::fromImage(image);
    QPixmapCache::insert(key, picture);
    return picture;
}

// The files readPicture tries for `path`, in its order.
QStringList candidates(const QString& path, qreal devicePixelRatio)
{
    if (devicePixelRatio <= 1.0)
        return {path};
    const QFileInfo info(path);
    return {info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.") + info.suffix(),
            path};
}

bool show(PictureBox& box, const std::filesystem::path& file, const QString& name)
{
    const QPixmap picture = readPicture(file, box.devicePixelRatioF());
    if (picture.isNull()) {
        qCInfo(lcIcons) << "could not read" << pathText(file);
        return false;
    }
    box.setPicture(picture, name);
    return true;
}

} // namespace

std::filesystem::path skinPath(const std::filesystem::path& appDir, const QString& name)
{
    return appDir / "skin" / textPath(name);
}

QPixmap readPicture(const std::filesystem::path& file, qreal devicePixelRatio)
{
    const QStringList files = candidates(pathText(file), devicePixelRatio);
    for (const QString& one : files) {
        QPixmap picture = readOne(one);
        if (!picture.isNull()) {
            if (one != files.back())
                picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    return {};
}

std::vector<DecodedPicture> decodePictures(const std::vector<std::filesystem::path>& files,
                                           qreal devicePixelRatio)
{
    std::vector<DecodedPicture> decoded;
    for (const std::filesystem::path& file : files) {
        for (const QString& one : candidates(pathText(file), devicePixelRatio)) {
            const QFileInfo info(one);
            if (!info.isFile())
                continue;
            QImage image = decode(one);
            if (image.isNull())
                continue;
            decoded.push_back({cacheKey(one, info), std::move(image)});
            break;
        }
    }
    return decoded;
}

void keepDecodedPictures(std::vector<DecodedPicture> pictures)
{
    for (DecodedPicture& picture : pictures) {
        QPixmap kept;
        if (!QPixmapCache::find(picture.key, &kept))
            QPixmapCache::insert(picture.key, QPixmap::fromImage(std::move(picture.image)));
    }
}

bool showSkin(PictureBox& box, const std::filesystem::path& appDir, const QString& name)
{
    return show(box, skinPath(appDir, name), name);
}

bool showFile(PictureBox& box, const std::filesystem::path& appDir, const QString& name)
{
    return show(box, appDir / textPath(name), name);
}

QString nameStripSkin(int tile, bool lit)
{
    return QStringLiteral("pnl3%1%2.jpg").arg(tile + 1).arg(lit ? 2 : 1);
}

} // namespace qbx
