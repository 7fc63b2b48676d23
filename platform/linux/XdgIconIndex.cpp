#include "XdgIconIndex.h"

#include "DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace qbx {
namespace {

QString canonicalOr(const QString& path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(path) : c;
}

} // namespace

QStringList XdgIconIndex::dataDirs()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        home = QDir::homePath() + QStringLiteral("/.local/share");
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList out{home};
    for (const QString& d : dirs.split(u':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(d))
            out << d;
    out.removeDuplicates();
    return out;
}

QStringList XdgIconIndex::applicationDirs()
{
    QStringList out;
    for (const QString& d : dataDirs())
        out << d + QStringLiteral("/applications");
    return out;
}

void XdgIconIndex::reset()
{
    built_ = false;
    iconByProgram_.clear();
}

int XdgIconIndex::entryCount()
{
    build();
    return static_cast<int>(iconByProgram_.size());
}

void XdgIconIndex::addEntry(const QString& file)
{
    const auto e = readDesktopEntry(file);
    if (!e || e->hidden || e->icon.isEmpty() || (!e->type.isEmpty() && e->type != u"Application"))
        return;
    // The program the Exec line starts, and the one TryExec names (often the real binary
    // behind a wrapper script).
    const QStringList args = execArguments(e->exec);
    QStringList programs;
    if (!args.isEmpty())
        programs << args.front();
    if (!e->tryExec.isEmpty())
        programs << e->tryExec;
    for (QString program : programs) {
        if (!QDir::isAbsolutePath(program))
            program = QStandardPaths::findExecutable(program);
        if (program.isEmpty())
            continue;
        // Earlier folders take precedence, as the desktop's own lookup does.
        for (const QString& key : {QDir::cleanPath(program), canonicalOr(program)})
            if (!iconByProgram_.contains(key))
                iconByProgram_.insert(key, e->icon);
    }
}

void XdgIconIndex::build()
{
    if (built_)
        return;
    built_ = true;
    for (const QString& dir : applicationDirs()) {
        QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files | QDir::Readable,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            addEntry(it.next());
    }
}

QString XdgIconIndex::iconFor(const QString& programPath)
{
    build();
    if (programPath.isEmpty())
        return {};
    const QString clean = QDir::cleanPath(programPath);
    auto it = iconByProgram_.constFind(clean);
    if (it == iconByProgram_.constEnd())
        it = iconByProgram_.constFind(canonicalOr(programPath));
    return it == iconByProgram_.constEnd() ? QString() : it.value();
}

} // namespace qbx
