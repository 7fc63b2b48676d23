#include "Skin.h"

#include "Logging.h"
#include "Paths.h"
#include "PictureBox.h"

#include <QFileInfo>
#include <QImageReader>

namespace qbx {

namespace {

QPixmap readOne(const QString& file)
{
    QImageReader reader(file);
    reader.setDecideFormatFromContent(true);
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
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
    const QString path = pathText(file);
    if (devicePixelRatio > 1.0) {
        const QFileInfo info(path);
        const QString hiDpi =
            info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.") + info.suffix();
        QPixmap sharp = readOne(hiDpi);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return readOne(path);
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
