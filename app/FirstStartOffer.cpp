#include "FirstStartOffer.h"

#include "InstalledImport.h"
#include "Launcher.h"
#include "Logging.h"

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
}

} // namespace qbx
