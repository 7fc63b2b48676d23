#include "FirstStartOffer.h"

#include "core/InstalledImport.h"
#include "core/Launcher.h"
#include "platform/Logging.h"

namespace qbx {

void offerInstalledApplications(Launcher& launcher, QWidget* parent)
{
    if (!installedImportOffered(launcher.state()))
        return;
    const QList<InstalledApplication> apps = launcher.desktop().installedApplications();
    if (apps.isEmpty())
        return; // nothing to offer: asked on a later start that finds some
    const bool yes = launcher.desktop().confirm(
        parent, QStringLiteral("分类中还没有软件。要把本机已安装的应用程序按类别加入分类吗？"));
    rememberImportAnswered(launcher.state());
    if (!yes)
        return;
    const int filed = fileInstalledApplications(launcher, apps);
    qCInfo(lcStore) << "filed" << filed << "of" << apps.size() << "installed applications";
    // The user hears what came of the yes.
    QString told = QStringLiteral("已把%1个应用程序加入分类。").arg(filed);
    if (filed < apps.size())
        told +=
            QStringLiteral("另有%1个没有加入：已在分类中、所在小类已满或无法保存。").arg(apps.size() - filed);
    launcher.desktop().message(parent, told);
}

} // namespace qbx
