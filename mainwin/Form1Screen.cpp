// The main window follows the screens: ColumnDock keeps it on the monitor holding most of it,
// against that monitor's edges, and docked (or hidden) at its edge when the monitors change.

#include "Form1.h"

namespace qbx {

void Form1::screenResized()
{
    dock_.screensChanged();
}

QRect Form1::columnScreen() const
{
    return dock_.screen();
}

int Form1::screenWidthTwips() const
{
    return dock_.screenWidthTwips();
}

int Form1::screenHeightTwips() const
{
    return dock_.screenHeightTwips();
}

QPoint Form1::screenOrigin() const
{
    return columnScreen().topLeft();
}

bool Form1::slidesOff(bool leftEdge) const
{
    return dock_.slidesOff(leftEdge);
}

bool Form1::roomOnRight()
{
    return dock_.roomOnRight();
}

void Form1::SnapToEdges(bool leftTestFirst)
{
    dock_.snapToEdges(leftTestFirst);
}

} // namespace qbx
