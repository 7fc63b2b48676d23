#include "ProgramChoice.h"

#include <QFile>

#include <algorithm>

namespace qbx {

namespace {

constexpr qsizetype kMaxDesktopFile = 1 << 20;

bool endsWithCi(const QString& s, const char* suffix)
{
    return s.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

// The general escapes of desktop-entry string values.
QString unescape(const QString& v)
{
    QString out;
    out.reserve(v.size());
    for (qsizetype i = 0; i < v.size(); ++i) {
        if (v[i] != u'\\' || i + 1 >= v.size()) {
            out += v[i];
            continue;
        }
        const QChar n = v[++i];
        switch (n.unicode()) {
        case 's': out += u' '; break;
        case 'n': out += u'\n'; break;
        case 't': out += u'\t'; break;
        case 'r': out += u'\r'; break;
        default: out += n;
        }
    }
    return out;
}

} // namespace

QString fileNameOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

QString cutToChars(const QString& text, int chars)
{
    if (text.size() <= chars)
        return text;
    QString cut = text.left(chars);
    if (!cut.isEmpty() && cut.back().isHighSurrogate())
        cut.chop(1);
    return cut;
}

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

DesktopTexts readDesktopTexts(const QString& path)
{
    DesktopTexts out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxDesktopFile)
        return out;
    const QString text = QString::fromUtf8(f.readAll());
    // Rank of the key found so far: 3 = [zh_CN], 2 = [zh], 1 = plain.
    int nameRank = 0, commentRank = 0;
    bool inGroup = false;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!inGroup || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        const QString value = unescape(line.mid(eq + 1).trimmed());
        auto take = [&](const char* base, QString& into, int& rank) {
            const QString b = QLatin1String(base);
            int r = 0;
            if (key == b)
                r = 1;
            else if (key == b + QLatin1String("[zh]"))
                r = 2;
            else if (key == b + QLatin1String("[zh_CN]"))
                r = 3;
            if (r > rank) {
                rank = r;
                into = value;
            }
        };
        take("Name", out.name, nameRank);
        take("Comment", out.comment, commentRank);
    }
    return out;
}

ChosenProgram describeChosenFile(const QString& path)
{
    ChosenProgram out;
    const QString file = fileNameOf(path);
    if (file.isEmpty())
        return out;
    if (endsWithCi(file, ".exe") && file.size() > 4) {
        out.name = file.left(file.size() - 4);
        out.title = out.name + QLatin1String("exe");
    } else if (endsWithCi(file, ".desktop") && file.size() > 8) {
        out.name = file.left(file.size() - 8);
        const DesktopTexts texts = readDesktopTexts(path);
        out.title = cutToChars(texts.name.isEmpty() ? out.name : texts.name, kTitleChars);
        out.description = cutToChars(texts.comment, kDescriptionChars);
    } else {
        out.name = file;
        out.title = cutToChars(file, kTitleChars);
    }
    return out;
}

} // namespace qbx
