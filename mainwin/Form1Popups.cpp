// The main window's pop-up and category window, which PopupController loads, places, fills and
// unloads; the window's MainWindowLink answers for them.

#include "Form1.h"

namespace qbx {

Form2& Form1::form2()
{
    return popups_.form2();
}

Form3& Form1::form3()
{
    return popups_.form3();
}

QRect Form1::popupTwipGeometry()
{
    return popups_.popupTwipGeometry();
}

void Form1::keepFloatingAbove()
{
    popups_.keepFloatingAbove();
}

void Form1::closePopups()
{
    popups_.closeAll();
}

int Form1::categorySlot(int cell) const
{
    return popups_.categorySlot(cell);
}

} // namespace qbx
