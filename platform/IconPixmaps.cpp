#include "IconPixmaps.h"

#include "Desktop.h"

#include <QPainter>

#include <algorithm>

namespace qbx {

QPixmap fittedIconPixmap(const QIcon& icon, int logicalSize, qreal dpr)
{
    const int device = std::max(1, qRound(logicalSize * dpr));
    // The largest picture the icon has up to the box, or its smallest when all are larger.
    QPixmap src = icon.pixmap(QSize(device, device), 1.0);
    if (src.isNull())
        return {};
    src.setDevicePixelRatio(1.0);
    if (std::max(src.width(), src.height()) != device)
        src = src.scaled(device, device, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPixmap out(device, device);
    out.fill(Qt::transparent);
    {
        QPainter p(&out);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap((device - src.width()) / 2, (device - src.height()) / 2, src);
    }
    out.setDevicePixelRatio(dpr);
    return out;
}

QPixmap programIconPixmap(Desktop& desktop, const QString& path, int logicalSize, qreal dpr)
{
    if (path.isEmpty() || logicalSize <= 0)
        return {};
    const qreal ratio = dpr > 0 ? dpr : 1.0;
    if (const auto picture = desktop.programPicture(path, std::max(1, qRound(logicalSize * ratio)))) {
        if (picture->isNull())
            return {};
        QPixmap pm = QPixmap::fromImage(*picture);
        pm.setDevicePixelRatio(ratio);
        return pm;
    }
    const QIcon icon = desktop.programIcon(path);
    if (icon.isNull())
        return {};
    return fittedIconPixmap(icon, logicalSize, ratio);
}

} // namespace qbx
