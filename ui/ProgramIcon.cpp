#include "ProgramIcon.h"

#include "PictureBox.h"
#include "platform/Desktop.h"
#include "platform/IconPixmaps.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/Records.h"

namespace qbx {

void drawProgramIcon(Desktop& desktop, const std::string& exePath, const QString& shownName, PictureBox& box)
{
    if (exePath.empty())
        return;
    const QString path = qs(exePath);
    box.setAccessibleName(shownName);
    box.setAccessibleDescription(path);
    const QPixmap icon = programIconPixmap(desktop, path, PictureBox::kIconSize, box.devicePixelRatioF());
    if (icon.isNull())
        qCInfo(lcIcons) << "no icon for" << path;
    box.drawPixmap(icon);
}

QString shownTitle(const ProgramEntry& e)
{
    return qs(e.title.empty() ? e.name : e.title);
}

} // namespace qbx
