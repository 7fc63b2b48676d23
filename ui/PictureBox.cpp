#include "PictureBox.h"

#include "Twips.h"

#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

namespace qbx {

namespace {
QPoint twipsOf(const QMouseEvent* event)
{
    return pxPointToTwips(event->position().toPoint());
}
} // namespace

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void PictureBox::setPicture(const QPixmap& picture, const QString& name)
{
    picture_ = picture;
    pictureName_ = name;
    if (describesPicture_)
        setAccessibleDescription(name);
    update();
}

void PictureBox::clear()
{
    picture_ = QPixmap();
    pictureName_.clear();
    if (!layer_.isNull())
        layer_.fill(Qt::transparent);
    drawn_ = false;
    setAccessibleDescription(QString());
    if (!describesPicture_)
        setAccessibleName(QString()); // an empty icon box names no program
    update();
}

void PictureBox::ensureLayer()
{
    const qreal dpr = devicePixelRatioF();
    const QSize want(qMax(kIconSize, width()), qMax(kIconSize, height()));
    const QSize device = (QSizeF(want) * dpr).toSize();
    if (layer_.size() == device && qFuzzyCompare(layer_.devicePixelRatio(), dpr))
        return;
    QImage fresh(device, QImage::Format_ARGB32_Premultiplied);
    fresh.setDevicePixelRatio(dpr);
    fresh.fill(Qt::transparent);
    if (!layer_.isNull()) {
        QPainter p(&fresh);
        p.drawImage(QPoint(0, 0), layer_);
    }
    layer_ = fresh;
}

void PictureBox::drawIcon(const QIcon& icon)
{
    if (icon.isNull())
        return;
    ensureLayer();
    QPainter p(&layer_);
    icon.paint(&p, QRect(0, 0, kIconSize, kIconSize));
    drawn_ = true;
    update();
}

void PictureBox::drawPixmap(const QPixmap& pixmap)
{
    if (pixmap.isNull())
        return;
    ensureLayer();
    QPainter p(&layer_);
    p.drawPixmap(QPoint(0, 0), pixmap);
    drawn_ = true;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!picture_.isNull())
        p.drawPixmap(rect(), picture_);
    if (drawn_)
        p.drawImage(QPoint(0, 0), layer_);
}

void PictureBox::resizeEvent(QResizeEvent*)
{
    if (drawn_)
        ensureLayer();
}

void PictureBox::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(twipsOf(event), event->buttons());
}

void PictureBox::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->button(), twipsOf(event));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseReleased(event->button(), twipsOf(event));
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked();
    event->accept();
}

} // namespace qbx
