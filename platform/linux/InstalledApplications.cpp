#include "platform/InstalledApplications.h"

#include "DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace qbx {
namespace {

bool tryExecFound(const QString& tryExec)
{
    if (tryExec.isEmpty())
        return true;
    if (QDir::isAbsolutePath(tryExec))
        return QFileInfo(tryExec).isExecutable();
    return !QStandardPaths::findExecutable(tryExec).isEmpty();
}

bool listed(const DesktopEntry& e)
{
    return e.type == QStringLiteral("Application") && !e.hidden && !e.noDisplay && tryExecFound(e.tryExec);
}

} // namespace

QList<InstalledApplication> listInstalledApplications(const QStringList& applicationDirs)
{
    QList<InstalledApplication> out;
    QSet<QString> seen; // file ids; a folder earlier in the list hides the same id later on
    for (const QString& dir : applicationDirs) {
        const QDir base(dir);
        QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            QString id = base.relativeFilePath(file);
            id.chop(8); // ".desktop"
            id.replace(u'/', u'-');
            if (seen.contains(id))
                continue;
            seen.insert(id);
            const std::optional<DesktopEntry> e = readDesktopEntry(file);
            if (!e || !listed(*e))
                continue;
            out.append({file, id, e->name.trimmed(), e->comment.trimmed(), e->categories});
        }
    }
    std::sort(out.begin(), out.end(), [](const InstalledApplication& a, const InstalledApplication& b) {
        return a.name != b.name ? a.name < b.name : a.fileId < b.fileId;
    });
    return out;
}

} // namespace qbx
