#include "ClosingWatch.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QTimer>

namespace qbx {

ClosingWatch::ClosingWatch(QObject* parent) : QObject(parent)
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

bool ClosingWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Hide && !pending_ && watched->isWidgetType()) {
        const auto* w = static_cast<QWidget*>(watched);
        if (w->isWindow() && (qobject_cast<const QMenu*>(w) || qobject_cast<const QDialog*>(w))) {
            // Asked once control is back in the event loop: a command chosen in a menu runs
            // after the menu hides, and the dialog it opens is open by then.
            pending_ = true;
            QTimer::singleShot(0, this, &ClosingWatch::settle);
        }
    }
    return QObject::eventFilter(watched, event);
}

void ClosingWatch::settle()
{
    pending_ = false;
    if (!QApplication::activePopupWidget() && !QApplication::activeModalWidget())
        emit allClosed();
}

} // namespace qbx
