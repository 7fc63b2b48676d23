#include "ThemeIconFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cstdlib>

namespace qbx {
namespace {

using Groups = QHash<QString, QHash<QString, QString>>;

// The groups of an index.theme file.
Groups readThemeIndex(const QString& file)
{
    Groups groups;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text) || f.size() > 4 << 20)
        return groups;
    QHash<QString, QString>* group = nullptr;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = &groups[line.mid(1, line.size() - 2)];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (group && eq > 0 && !line.startsWith(u'#'))
            group->insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return groups;
}

int number(const QHash<QString, QString>& g, const QString& key, int otherwise)
{
    bool ok = false;
    const int v = g.value(key).toInt(&ok);
    return ok ? v : otherwise;
}

} // namespace

int ThemeIconFiles::Folder::distance(int wanted) const
{
    switch (kind) {
    case Fixed:
        return std::abs(size - wanted);
    case Scalable:
        return wanted < minSize ? minSize - wanted : wanted > maxSize ? wanted - maxSize : 0;
    case Threshold:
        break;
    }
    if (wanted < size - threshold)
        return size - threshold - wanted;
    return wanted > size + threshold ? wanted - size - threshold : 0;
}

ThemeIconFiles::ThemeIconFiles(const QString& theme, const QString& fallback, const QStringList& searchPaths)
{
    addTheme(theme, searchPaths, 0);
    addTheme(fallback, searchPaths, 0);
    addTheme(QStringLiteral("hicolor"), searchPaths, 0);
}

void ThemeIconFiles::addTheme(const QString& name, const QStringList& searchPaths, int depth)
{
    if (name.isEmpty() || name.contains(u'/') || names_.contains(name) || depth > 8)
        return;
    names_ << name;
    Theme theme;
    Groups index;
    for (const QString& path : searchPaths) {
        const QString root = path + u'/' + name;
        const qint64 mtime = modificationTime(root);
        times_.append({root, mtime});
        if (mtime < 0)
            continue;
        theme.roots << root;
        if (index.isEmpty())
            index = readThemeIndex(root + QStringLiteral("/index.theme"));
    }
    const auto head = index.value(QStringLiteral("Icon Theme"));
    QStringList dirs = head.value(QStringLiteral("Directories")).split(u',', Qt::SkipEmptyParts);
    dirs << head.value(QStringLiteral("ScaledDirectories")).split(u',', Qt::SkipEmptyParts);
    for (const QString& d : std::as_const(dirs)) {
        const auto g = index.value(d.trimmed());
        Folder f;
        f.dir = d.trimmed();
        f.size = number(g, QStringLiteral("Size"), 0);
        f.scale = number(g, QStringLiteral("Scale"), 1);
        f.minSize = number(g, QStringLiteral("MinSize"), f.size);
        f.maxSize = number(g, QStringLiteral("MaxSize"), f.size);
        f.threshold = number(g, QStringLiteral("Threshold"), 2);
        const QString type = g.value(QStringLiteral("Type"));
        f.kind = type == u"Fixed"      ? Folder::Fixed
                 : type == u"Scalable" ? Folder::Scalable
                                       : Folder::Threshold;
        if (f.size > 0 && f.scale == 1)
            theme.folders.append(f);
    }
    if (!theme.roots.isEmpty())
        chain_.append(theme);
    for (const QString& parent : head.value(QStringLiteral("Inherits")).split(u',', Qt::SkipEmptyParts))
        addTheme(parent.trimmed(), searchPaths, depth + 1);
}

QString ThemeIconFiles::findExact(const QString& name, int size) const
{
    static const char* const kExtensions[] = {".png", ".svg", ".xpm"};
    for (const Theme& theme : chain_) {
        QList<QPair<int, const Folder*>> order;
        for (const Folder& f : theme.folders)
            order.append({f.distance(size), &f});
        std::stable_sort(order.begin(), order.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [distance, folder] : std::as_const(order))
            for (const QString& root : theme.roots)
                for (const char* ext : kExtensions) {
                    const QString file = root + u'/' + folder->dir + u'/' + name + QLatin1String(ext);
                    if (QFileInfo(file).isFile())
                        return file;
                }
    }
    return {};
}

QString ThemeIconFiles::find(const QString& name, int size) const
{
    if (name.isEmpty() || name.contains(u'/'))
        return {};
    for (QString n = name;;) {
        const QString file = findExact(n, size);
        if (!file.isEmpty())
            return file;
        const qsizetype dash = n.lastIndexOf(u'-');
        if (dash <= 0)
            return {};
        n.truncate(dash);
    }
}

QList<FolderTime> ThemeIconFiles::folderTimes() const
{
    return times_;
}

} // namespace qbx
