#pragma once
// Small pieces every window of the program shares.

#include <QFont>
#include <QObject>

#include <memory>

class QWidget;

namespace qbx {

// A frameless window that stays above all others and does not show in the task bar.
// `takesFocus` false for the pop-ups, which must not take the focus from the main window.
void makeTopmostTool(QWidget& window, bool takesFocus);

// Children made in a window already shown stay hidden until shown themselves: shows those not
// hidden on purpose, as the window's own show would have. Nothing to do while it is hidden.
void showChildrenMadeLate(QWidget& window);

// "宋体" 9 point, the font of the labels: a Song face when the system has one, else a CJK sans
// face at 8.25 point, which keeps captions within their boxes.
QFont songTiFont(bool bold = false);
// Whether a Song face is installed: asked once of the font configuration, which opens no font
// to answer; any thread.
bool songFaceInstalled();

// Windows are unloaded from inside their own event handlers, so they are deleted once control
// returns to the event loop.
struct DeleteLater {
    void operator()(QObject* object) const;
};
template <typename T>
using WindowPtr = std::unique_ptr<T, DeleteLater>;

} // namespace qbx
