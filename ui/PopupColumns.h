#pragma once
// Which minor category a column of the pop-up stands for (the category window's cells follow the
// pop-up's columns). The pop-up opens on the side of the main window with room: on the right,
// column k stands for minor k; on the left the columns are mirrored and column k stands for
// minor 4 - k. The mapping is its own inverse.

#include "store/Catalogue.h"

namespace qbx {

constexpr int popupMinor(int popupColumn, bool roomOnRight)
{
    return roomOnRight ? popupColumn : kMinors - 1 - popupColumn;
}

} // namespace qbx
