#include "CaptionStrip.h"

#include <QMouseEvent>

namespace qbx {

CaptionStrip::CaptionStrip(const QString& text, QWidget* parent) : QLabel(text, parent) {}

void CaptionStrip::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    dragging_ = true;
    grabOffset_ = event->globalPosition().toPoint() - window()->pos();
    event->accept();
}

void CaptionStrip::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - grabOffset_);
    event->accept();
}

void CaptionStrip::mouseReleaseEvent(QMouseEvent* event)
{
    dragging_ = false;
    event->accept();
}

} // namespace qbx
