#include "ProgramIcon.h"

#include "Desktop.h"
#include "PictureBox.h"
#include "ProgramIcons.h"
#include "Text.h"

namespace qbx {

void drawProgramIcon(Desktop& desktop, const std::string& exePath, PictureBox& box)
{
    if (exePath.empty())
        return;
    const QString path = qs(exePath);
    box.setAccessibleDescription(path);
    box.drawPixmap(programIconPixmap(desktop, path, PictureBox::kIconSize, box.devicePixelRatioF()));
}

} // namespace qbx
