#include "ProgramChoice.h"

#include "platform/ProgramFile.h"

#include <algorithm>

namespace qbx {

namespace {

bool endsWithCi(const QString& s, const char* suffix)
{
    return s.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
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
        out.fileId = file.left(file.size() - 8);
        const ProgramFileInfo entry = programFileInfo(path);
        const QString shown = trimBlanks(entry.name);
        out.name = shown.isEmpty() ? out.fileId : shown;
        out.title = cutToChars(out.name, kTitleChars);
        out.description = cutToChars(entry.comment, kDescriptionChars);
    } else {
        out.name = file;
        out.title = cutToChars(file, kTitleChars);
    }
    return out;
}

} // namespace qbx
