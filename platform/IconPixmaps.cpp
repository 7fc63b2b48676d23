#include "IconPixmaps.h"

#include "Desktop.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPaintDevice>

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

namespace {

class ProgramIconWhenShown : public QIconEngine {
public:
    ProgramIconWhenShown(Desktop& desktop, QString path, int logicalSize)
        : desktop_(desktop), path_(std::move(path)), logicalSize_(logicalSize)
    {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override
    {
        const QPixmap pm = drawn(painter->device() ? painter->device()->devicePixelRatioF() : 1.0);
        if (pm.isNull())
            return;
        const int side = std::min(rect.width(), rect.height());
        painter->save();
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawPixmap(
            QRect(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side),
            pm);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const QPixmap pm = drawn(1.0);
        const int side = std::min(size.width(), size.height());
        return pm.isNull() || side == pm.width()
                   ? pm
                   : pm.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new ProgramIconWhenShown(desktop_, path_, logicalSize_); }
    QString key() const override { return QStringLiteral("qbx.programIconWhenShown"); }
    bool isNull() override { return path_.isEmpty(); }

private:
    QPixmap drawn(qreal dpr)
    {
        const int device = std::max(1, qRound(logicalSize_ * dpr));
        auto it = drawn_.constFind(device);
        if (it == drawn_.cend())
            it = drawn_.insert(device, programIconPixmap(desktop_, path_, logicalSize_, dpr));
        return *it;
    }

    Desktop& desktop_;
    const QString path_;
    const int logicalSize_;
    QHash<int, QPixmap> drawn_; // by device pixels
};

} // namespace

QIcon programIconWhenShown(Desktop& desktop, const QString& path, int logicalSize)
{
    return QIcon(new ProgramIconWhenShown(desktop, path, logicalSize));
}

} // namespace qbx
