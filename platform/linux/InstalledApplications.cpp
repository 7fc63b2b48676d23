#include "platform/InstalledApplications.h"

#include "platform/ApplicationIndex.h"

namespace qbx {

QList<InstalledApplication> listInstalledApplications(const QStringList& applicationDirs)
{
    return ApplicationIndex::scan(applicationDirs).installed();
}

} // namespace qbx
