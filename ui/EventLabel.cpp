#include "EventLabel.h"

#include "Colours.h"
#include "Twips.h"

#include <QMouseEvent>

namespace qbx {

EventLabel::EventLabel(QWidget* parent) : QLabel(parent)
{
    setMouseTracking(true);
}

void EventLabel::setColours(std::uint32_t backBgr, std::uint32_t textBgr)
{
    back_ = backBgr;
    text_ = textBgr;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bgrColour(backBgr));
    pal.setColor(QPalette::WindowText, bgrColour(textBgr));
    setPalette(pal);
    setAutoFillBackground(true);
}

void EventLabel::setTextColour(std::uint32_t textBgr)
{
    text_ = textBgr;
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, bgrColour(textBgr));
    setPalette(pal);
}

void EventLabel::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(pxPointToTwips(event->position().toPoint()), event->buttons());
    event->accept();
}

void EventLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked();
    event->accept();
}

} // namespace qbx
