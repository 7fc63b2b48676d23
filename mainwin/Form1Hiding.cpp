// The main window's hide timers, auto-hide, minimising, the tray icon's clicks and notices. AutoHide runs
// the rules; the window gives it its place, its pop-ups and its menu items.

#include "Form1.h"

#include "Form2.h"
#include "ReservedEdge.h"
#include "TrayIcon.h"
#include "catwin/Form3.h"
#include "platform/Desktop.h"
#include "ui/TwipPlace.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QToolTip>

namespace qbx {

void Form1::restoreAutoHide()
{
    Timer1.setEnabled(autoHideOn());
}

void Form1::setCategoryTimer(bool on)
{
    Timer2.setEnabled(on);
}

void Form1::setHideDelays(int mainMs, int categoryMs)
{
    Timer1.setInterval(mainMs);
    Timer2.setInterval(categoryMs);
}

void Form1::setHideTimers(bool on)
{
    // The main-window timer runs only while auto-hide is on ("不自动隐藏" in "操作").
    Timer1.setEnabled(on && autoHideOn());
    Timer2.setEnabled(on);
}

void Form1::minimiseOrShow()
{
    autoHide_->zx_Click();
}

void Form1::showNotice(const QString& text)
{
    if (tray_ && tray_->showMessage(text))
        return;
    QToolTip::showText(desktop_.cursorPos().value_or(QPoint(0, 0)), text);
}

void Form1::bringBack()
{
    dock_.holdReservedEdge();
    autoHide_->bringBack();
    raise();
    activateWindow();
}

void Form1::switchAutoHide()
{
    autoHide_->yc_Click();
}

void Form1::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    autoHide_->trayActivated(reason);
}

void Form1::showAutoHide(bool on)
{
    yc->setText(on ? QStringLiteral("不自动隐藏") : QStringLiteral("自动隐藏"));
    dock_.setAutoHide(on);
}

void Form1::showMinimised(bool minimised)
{
    zx->setText(minimised ? QStringLiteral("显示Quillbox") : QStringLiteral("最小化"));
}

int Form1::mainLeft() const
{
    return dock_.placeOnScreen().x();
}
int Form1::mainTop() const
{
    return dock_.placeOnScreen().y();
}
void Form1::setMainLeft(int twips)
{
    dock_.moveOnScreen(QPoint(twips, dock_.placeOnScreen().y()));
}
int Form1::screenWidth() const
{
    return screenWidthTwips();
}

std::optional<QPoint> Form1::categoryWindowPos() const
{
    return popups_.categoryWindowPos();
}

bool Form1::popupsShown() const
{
    return popups_.shown();
}

void Form1::hidePopups()
{
    closePopups();
}

void Form1::hideAllWindows()
{
    closePopups();
    // Every window of the program: the editors, the message boxes and the combination report
    // (a plain window) too. The tray icon's window, which the tray host embeds outside the
    // window manager, stays: it is the way back. A dialog waiting for an answer is minimised
    // rather than hidden: hiding it would end its wait and drop what was typed into it.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == this || !w->isVisible() || w->windowFlags().testFlag(Qt::BypassWindowManagerHint))
            continue;
        if (w->isModal())
            w->showMinimized();
        else
            w->hide();
    }
    hide();
}

void Form1::showMainWindow()
{
    show();
    // A dialog still waiting comes back with the column: it is what the column waits for.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isModal() && w->isVisible() && w->isMinimized())
            w->showNormal();
}

void Form1::popUpOperationMenu(QPoint globalPos)
{
    cz->popup(globalPos);
}

} // namespace qbx
