#pragma once
// The cell the pop-up (a row of them) and the category window (a column of them) show a program
// or a combination in. In twips from the cell's top-left corner: 900 wide, the icon 480 square at
// (200, 240), the caption strip 180 high at 770 across the whole width, all over an overlay label.

#include <QRect>
#include <QString>

class QFont;
class QWidget;

namespace qbx {

class EventLabel;
class PictureBox;

inline constexpr int kCellWidth = 900;

// An overlay label over `twips`, its text centred at the top, in the designed colours.
EventLabel* addCellOverlay(QWidget* parent, const QRect& twips, const QFont& font);
// The icon of the cell whose corner is at (left, top) twips; its accessible name and description
// name the program drawn on it, not a picture file.
PictureBox* addCellIcon(QWidget* parent, int left, int top);
// The caption strip of the cell whose corner is at (left, top) twips, its text centred.
EventLabel* addCellCaption(QWidget* parent, int left, int top, const QFont& font);

} // namespace qbx
