#include "DesktopEntry.h"

#include "platform/ProgramFile.h"

#include <QFile>
#include <QFileInfo>

namespace qbx {
namespace {

// The general string escapes of desktop-entry values: \s \n \t \r \\ ; others stay as they are
// (the Exec quoting rules give \" \` \$ their meaning later).
QString unescapeValue(const QString& v)
{
    QString out;
    out.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        const QChar c = v[i];
        if (c != u'\\' || i + 1 >= v.size()) {
            out += c;
            continue;
        }
        const QChar n = v[++i];
        switch (n.unicode()) {
        case 's':
            out += u' ';
            break;
        case 'n':
            out += u'\n';
            break;
        case 't':
            out += u'\t';
            break;
        case 'r':
            out += u'\r';
            break;
        case '\\':
            out += u'\\';
            break;
        default:
            out += u'\\';
            out += n;
        }
    }
    return out;
}

// Codes that stand for files or URLs (none are passed) and the deprecated ones: removed.
bool isDroppedCode(QChar c)
{
    return QStringLiteral("fFuUdDnNvm").contains(c);
}

// What %i, %c and %k stand for; empty when the entry has nothing for them.
QStringList codeArguments(QChar c, const DesktopEntry& e, const QString& entryPath)
{
    if (c == u'i')
        return e.icon.isEmpty() ? QStringList() : QStringList{QStringLiteral("--icon"), e.icon};
    if (c == u'c')
        return e.name.isEmpty() ? QStringList() : QStringList{e.name};
    return entryPath.isEmpty() ? QStringList() : QStringList{entryPath};
}

// How well a key serves as the localized `base` key: 3 for base[zh_CN], 2 for base[zh], 1 for
// the plain key, 0 for any other key.
int localeRank(const QString& key, QLatin1String base)
{
    if (!key.startsWith(base))
        return 0;
    const QStringView rest = QStringView(key).mid(base.size());
    if (rest.isEmpty())
        return 1;
    if (rest == u"[zh]")
        return 2;
    if (rest == u"[zh_CN]")
        return 3;
    return 0;
}

} // namespace

bool isDesktopEntryPath(const QString& path)
{
    return path.endsWith(QStringLiteral(".desktop"), Qt::CaseInsensitive);
}

std::optional<DesktopEntry> readDesktopEntry(const QString& path)
{
    // Only regular files: opening a FIFO would wait for a writer.
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // Desktop entries are small; a huge file is not one.
    if (f.size() > 1 << 20)
        return std::nullopt;
    const QString text = QString::fromUtf8(f.readAll());
    DesktopEntry e;
    int nameRank = 0, commentRank = 0;
    bool inGroup = false, seenGroup = false;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inGroup = line == QStringLiteral("[Desktop Entry]");
            seenGroup = seenGroup || inGroup;
            continue;
        }
        if (!inGroup)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = unescapeValue(line.mid(eq + 1).trimmed());
        if (key == QStringLiteral("Type"))
            e.type = value;
        else if (key == QStringLiteral("Exec"))
            e.exec = value;
        else if (key == QStringLiteral("TryExec"))
            e.tryExec = value;
        else if (key == QStringLiteral("Icon"))
            e.icon = value;
        else if (key == QStringLiteral("Hidden"))
            e.hidden = value == QStringLiteral("true");
        else if (key == QStringLiteral("NoDisplay"))
            e.noDisplay = value == QStringLiteral("true");
        else if (key == QStringLiteral("Categories"))
            e.categories = value.split(u';', Qt::SkipEmptyParts);
        else if (key == QStringLiteral("Terminal"))
            e.terminal = value == QStringLiteral("true");
        else if (key == QStringLiteral("Path"))
            e.path = value;
        else if (key == QStringLiteral("URL"))
            e.url = value;
        else if (key == QStringLiteral("StartupNotify"))
            e.startupNotify = value == QStringLiteral("true");
        else if (const int r = localeRank(key, QLatin1String("Name")); r > nameRank) {
            nameRank = r;
            e.name = value;
        } else if (const int c = localeRank(key, QLatin1String("Comment")); c > commentRank) {
            commentRank = c;
            e.comment = value;
        }
    }
    if (!seenGroup)
        return std::nullopt;
    return e;
}

std::optional<QStringList> splitExecLine(const QString& exec)
{
    QStringList args;
    QString cur;
    bool inArg = false, quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'\\') {
                if (i + 1 >= exec.size())
                    return std::nullopt;
                const QChar n = exec[i + 1];
                if (n == u'"' || n == u'`' || n == u'$' || n == u'\\') {
                    cur += n;
                    ++i;
                } else {
                    cur += c;
                }
            } else if (c == u'"') {
                quoted = false;
            } else {
                cur += c;
            }
            continue;
        }
        if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArg) {
                args << cur;
                cur.clear();
                inArg = false;
            }
            continue;
        }
        inArg = true;
        if (c == u'"') {
            quoted = true;
        } else if (c == u'\\' && i + 1 < exec.size()) {
            cur += exec[++i]; // an escaped character outside quotes stands for itself
        } else if (c == u'\\') {
            return std::nullopt;
        } else {
            cur += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArg)
        args << cur;
    return args;
}

std::optional<QStringList> expandExec(const QString& exec, const DesktopEntry& entry,
                                      const QString& entryPath)
{
    const auto split = splitExecLine(exec);
    if (!split)
        return std::nullopt;
    QStringList out;
    for (const QString& arg : *split) {
        // An argument that is only a field code becomes its arguments, or goes away entirely.
        if (arg.size() == 2 && arg[0] == u'%' && arg[1] != u'%') {
            if (isDroppedCode(arg[1]))
                continue;
            if (!QStringLiteral("ick").contains(arg[1]))
                return std::nullopt;
            out << codeArguments(arg[1], entry, entryPath);
            continue;
        }
        QString a;
        for (qsizetype i = 0; i < arg.size(); ++i) {
            // A % that ends the argument stands for itself.
            if (arg[i] != u'%' || i + 1 >= arg.size()) {
                a += arg[i];
                continue;
            }
            const QChar n = arg[++i];
            if (n == u'%')
                a += u'%';
            else if (QStringLiteral("ick").contains(n))
                a += codeArguments(n, entry, entryPath).join(u' ');
            else if (!isDroppedCode(n))
                return std::nullopt;
        }
        out << a;
    }
    return out;
}

QStringList execArguments(const QString& exec)
{
    return expandExec(exec).value_or(QStringList());
}

ProgramFileInfo programFileInfo(const QString& path)
{
    const DesktopEntry entry = readDesktopEntry(path).value_or(DesktopEntry{});
    return {entry.name, entry.comment};
}

} // namespace qbx
