#pragma once
// What the dialogs and secondary windows need from the main window, so they do not depend on it.

#include <QRect>

class QWidget;

namespace qbx {

class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;

    // The window that owns modal dialogs.
    virtual QWidget* ownerWindow() = 0;
    // Unloads the minor-category pop-up and the category window (rebuilt on next use).
    virtual void closePopups() = 0;
    // Switches the main-window hide timer on when auto-hide is in force ("不自动隐藏" in the
    // menu), off otherwise.
    virtual void restoreAutoHide() = 0;
    // The category-window hide timer.
    virtual void setCategoryTimer(bool on) = 0;
    // Both hide timers at once: off while a menu is open; on, the category-window timer runs
    // and the main-window one as auto-hide says.
    virtual void setHideTimers(bool on) = 0;
    // Whether the pop-up opens to the right of the main window now (the side test): which minor
    // a pop-up column then stands for is popupMinor (ui/PopupColumns.h).
    virtual bool roomOnRight() = 0;
    // Whether the pointer is on the arrow strip beside the lit tile. The pop-up's first column
    // opens over that strip; it takes the pointer only once the pointer is past the strip.
    virtual bool pointerOnArrow() const = 0;
    // The pop-up's outer rectangle in twips now (where it stood last while it is unloaded): the
    // category window drops out of it.
    virtual QRect popupTwipGeometry() = 0;
    // The screen (monitor) the main window is docked to, in logical pixels of the desktop: its
    // pop-ups open on it.
    virtual QRect columnScreen() const = 0;
};

} // namespace qbx
