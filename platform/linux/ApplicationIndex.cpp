#include "platform/ApplicationIndex.h"

#include "DesktopEntry.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

#include <sys/stat.h>

namespace qbx {
namespace {

QString canonicalOr(const QString& path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QDir::cleanPath(path) : c;
}

bool tryExecFound(const QString& tryExec)
{
    if (tryExec.isEmpty())
        return true;
    if (QDir::isAbsolutePath(tryExec))
        return QFileInfo(tryExec).isExecutable();
    return !QStandardPaths::findExecutable(tryExec).isEmpty();
}

QString programOf(const QString& word)
{
    if (word.isEmpty())
        return {};
    return QDir::isAbsolutePath(word) ? QDir::cleanPath(word) : QStandardPaths::findExecutable(word);
}

} // namespace

QDataStream& operator<<(QDataStream& s, const IndexedApplication& a)
{
    return s << a.path << a.fileId << a.name << a.comment << a.exec << a.program << a.icon << a.categories
             << a.listed << a.fileTime;
}

QDataStream& operator>>(QDataStream& s, IndexedApplication& a)
{
    return s >> a.path >> a.fileId >> a.name >> a.comment >> a.exec >> a.program >> a.icon >> a.categories >>
           a.listed >> a.fileTime;
}

QDataStream& operator<<(QDataStream& s, const FolderTime& t)
{
    return s << t.path << t.mtime;
}

QDataStream& operator>>(QDataStream& s, FolderTime& t)
{
    return s >> t.path >> t.mtime;
}

FileStamp fileStamp(const QString& path)
{
    // stat() itself: QFileInfo's times pass through the local time zone, which costs more than
    // the call when a thousand entries are checked.
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return {S_ISREG(st.st_mode) ? qint64(st.st_size) : -1,
            qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000};
}

QStringList ApplicationIndex::folders()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    if (home.isEmpty() || !QDir::isAbsolutePath(home))
        home = QDir::homePath() + QStringLiteral("/.local/share");
    QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dirs.isEmpty())
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    QStringList data{home};
    for (const QString& d : dirs.split(u':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(d))
            data << d;
    data.removeDuplicates();
    QStringList out;
    for (const QString& d : std::as_const(data))
        out << d + QStringLiteral("/applications");
    return out;
}

ApplicationIndex ApplicationIndex::scan(const QStringList& applicationFolders)
{
    ApplicationIndex index;
    index.roots_ = applicationFolders;
    QSet<QString> seen; // file ids; a folder earlier in the list hides the same id later on
    for (const QString& root : applicationFolders) {
        index.times_.append({root, modificationTime(root)});
        const QDir base(root);
        QDirIterator it(root, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QFileInfo fi = it.fileInfo();
            if (fi.isDir()) {
                index.times_.append({file, modificationTime(file)});
                continue;
            }
            if (!file.endsWith(QStringLiteral(".desktop")))
                continue;
            QString id = base.relativeFilePath(file);
            id.chop(8); // ".desktop"
            id.replace(u'/', u'-');
            if (seen.contains(id))
                continue;
            seen.insert(id);
            index.add(file, id, modificationTime(file));
        }
    }
    return index;
}

void ApplicationIndex::add(const QString& file, const QString& fileId, qint64 fileTime)
{
    const std::optional<DesktopEntry> e = readDesktopEntry(file);
    if (!e)
        return;
    IndexedApplication a{file,    fileId, e->name.trimmed(), e->comment.trimmed(),
                         e->exec, {},     e->icon,           e->categories};
    a.fileTime = fileTime;
    const QStringList args = execArguments(e->exec);
    a.program = args.isEmpty() ? QString() : programOf(args.front());
    const bool application = e->type.isEmpty() || e->type == u"Application";
    a.listed = e->type == u"Application" && !e->hidden && !e->noDisplay && tryExecFound(e->tryExec);
    const qint64 at = apps_.size();
    apps_.append(a);
    if (e->hidden || !application)
        return;
    // The program the Exec line starts, and the one TryExec names (often the real binary behind
    // a wrapper script); an entry with an icon wins over an earlier one without.
    for (const QString& program : {a.program, programOf(e->tryExec)}) {
        if (program.isEmpty())
            continue;
        for (const QString& key : {program, canonicalOr(program)}) {
            const auto it = byProgram_.constFind(key);
            if (it == byProgram_.constEnd() || (apps_[*it].icon.isEmpty() && !a.icon.isEmpty()))
                byProgram_.insert(key, at);
        }
    }
}

QList<InstalledApplication> ApplicationIndex::installed() const
{
    QList<InstalledApplication> out;
    for (const IndexedApplication& a : apps_)
        if (a.listed)
            out.append({a.path, a.fileId, a.name, a.comment, a.categories});
    std::sort(out.begin(), out.end(), [](const InstalledApplication& a, const InstalledApplication& b) {
        return a.name != b.name ? a.name < b.name : a.fileId < b.fileId;
    });
    return out;
}

const IndexedApplication* ApplicationIndex::forProgram(const QString& programPath) const
{
    if (programPath.isEmpty())
        return nullptr;
    auto it = byProgram_.constFind(QDir::cleanPath(programPath));
    if (it == byProgram_.constEnd())
        it = byProgram_.constFind(canonicalOr(programPath));
    return it == byProgram_.constEnd() ? nullptr : &apps_[*it];
}

bool ApplicationIndex::upToDate(const QStringList& applicationFolders) const
{
    if (applicationFolders != roots_)
        return false;
    return std::all_of(times_.begin(), times_.end(),
                       [](const FolderTime& t) { return modificationTime(t.path) == t.mtime; }) &&
           std::all_of(apps_.begin(), apps_.end(),
                       [](const IndexedApplication& a) { return modificationTime(a.path) == a.fileTime; });
}

quint64 ApplicationIndex::stamp() const
{
    size_t seed = qHash(roots_);
    for (const FolderTime& t : times_)
        seed = qHashMulti(seed, t.path, t.mtime);
    for (const IndexedApplication& a : apps_)
        seed = qHashMulti(seed, a.path, a.fileTime);
    return seed;
}

void ApplicationIndex::save(QDataStream& out) const
{
    out << roots_ << times_ << apps_ << byProgram_;
}

std::optional<ApplicationIndex> ApplicationIndex::load(QDataStream& in)
{
    ApplicationIndex index;
    in >> index.roots_ >> index.times_ >> index.apps_ >> index.byProgram_;
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    for (const qint64 at : std::as_const(index.byProgram_))
        if (at < 0 || at >= index.apps_.size())
            return std::nullopt;
    return index;
}

} // namespace qbx
