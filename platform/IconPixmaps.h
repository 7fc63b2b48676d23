#pragma once
// A program's icon as the windows draw it: a square pixmap for an icon box on this screen.
//
//   // empty path or no icon -> null pixmap, and the caller leaves the box as it was
//   QPixmap pm = qbx::programIconPixmap(desktop, path, 32, widget->devicePixelRatioF());
//   item->setIcon(qbx::programIconWhenShown(desktop, path, 32)); // drawn when the row is painted

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace qbx {

class Desktop;

// `icon` as a square pixmap of logicalSize × logicalSize at the given device pixel ratio: the
// icon's best picture scaled to fit (up or down) and centred, transparent around it.
QPixmap fittedIconPixmap(const QIcon& icon, int logicalSize, qreal dpr);

// The pixmap to draw for a program in a box of logicalSize × logicalSize at the given device
// pixel ratio: the desktop's kept picture where it keeps them (Desktop::programPicture), else its
// icon fitted as above; null when the path is empty or the program has no icon.
QPixmap programIconPixmap(Desktop& desktop, const QString& path, int logicalSize, qreal dpr);

// A program's icon for a long list: nothing is looked up or drawn until a row shows it. It is then
// drawn once per screen by programIconPixmap() at logicalSize (the size the desktop keeps its
// pictures at: a kept picture is read, not drawn) and scaled to the row. `desktop` outlives it.
QIcon programIconWhenShown(Desktop& desktop, const QString& path, int logicalSize);

} // namespace qbx
