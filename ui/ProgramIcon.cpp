#include "ProgramIcon.h"

#include "Desktop.h"
#include "PictureBox.h"
#include "Text.h"

namespace qbx {

void drawProgramIcon(Desktop& desktop, const std::string& exePath, PictureBox& box)
{
    if (exePath.empty())
        return;
    const QString path = qs(exePath);
    box.setAccessibleDescription(path);
    box.drawIcon(desktop.programIcon(path));
}

} // namespace qbx
