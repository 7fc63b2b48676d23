#include "Skin.h"

#include "PictureBox.h"

#include <QFileInfo>
#include <QImageReader>

namespace qbx {

namespace {

QString qpath(const std::filesystem::path& p)
{
    const std::u8string u8 = p.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(u8.data()), static_cast<qsizetype>(u8.size()));
}

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
    if (picture.isNull())
        return false;
    box.setPicture(picture, name);
    return true;
}

} // namespace

std::filesystem::path skinPath(const std::filesystem::path& appDir, const QString& name)
{
    return appDir / "skin" / std::filesystem::u8path(name.toUtf8().toStdString());
}

QPixmap readPicture(const std::filesystem::path& file, qreal devicePixelRatio)
{
    const QString path = qpath(file);
    if (devicePixelRatio > 1.0) {
        const QFileInfo info(path);
        const QString hiDpi = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("@2x.")
                              + info.suffix();
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
    return show(box, appDir / std::filesystem::u8path(name.toUtf8().toStdString()), name);
}

QString nameStripSkin(int tile, bool lit)
{
    return QStringLiteral("pnl3%1%2.jpg").arg(tile + 1).arg(lit ? 2 : 1);
}

} // namespace qbx
