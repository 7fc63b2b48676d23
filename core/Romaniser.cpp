// Romanising texts through qbx-pinyin, a run of Chinese characters at a time.

#include "Romaniser.h"

#include "platform/Logging.h"

#include <QCoreApplication>
#include <QProcess>

#include <functional>

namespace qbx {
namespace {

constexpr int kHelperWaitMs = 10000;

bool isHan(char32_t c)
{
    return QChar::script(c) == QChar::Script_Han;
}

// Calls `run` for each run of Chinese characters of `text` and `other` for each other character
// (white space included), in order.
void splitRuns(const QString& text, const std::function<void(const QString&)>& run,
               const std::function<void(const QString&, char32_t)>& other)
{
    QString current;
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text.at(i).unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            width = 2;
        }
        const QString ch = text.mid(i, width);
        i += width;
        if (isHan(c)) {
            current += ch;
            continue;
        }
        if (!current.isEmpty())
            run(current);
        current.clear();
        other(ch, c);
    }
    if (!current.isEmpty())
        run(current);
}

// Appends the syllables ICU made of a run of Chinese characters: each whole to `full`, its
// first letter to `initials`. A syllable left as it was (not ASCII) is itself in both.
void appendSyllables(const QString& romanised, QString& full, QString& initials)
{
    for (const QString& syllable : romanised.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString folded = syllable.toCaseFolded();
        full += folded;
        const QChar first = folded.front();
        initials += first.isLetterOrNumber() && first.unicode() < 0x80 ? QString(first) : folded;
    }
}

} // namespace

Romaniser::Romaniser(QString helper) : helper_(std::move(helper)) {}

QString Romaniser::defaultHelper()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/qbx-pinyin");
}

void Romaniser::prepare(const QStringList& texts)
{
    QStringList wanted;
    for (const QString& text : texts)
        splitRuns(
            text,
            [&](const QString& run) {
                if (runs_.find(run) == runs_.end()) {
                    runs_.emplace(run, run); // itself until the helper says otherwise
                    wanted << run;
                }
            },
            [](const QString&, char32_t) {});
    if (wanted.isEmpty())
        return;
    QProcess helper;
    helper.start(helper_, {});
    helper.write(wanted.join(QLatin1Char('\n')).toUtf8() + '\n');
    helper.closeWriteChannel();
    if (!helper.waitForFinished(kHelperWaitMs) || helper.exitStatus() != QProcess::NormalExit ||
        helper.exitCode() != 0) {
        qCWarning(lcStart) << "the find box's pinyin could not be made by" << helper_ << helper.errorString()
                           << helper.readAllStandardError().trimmed()
                           << "- Chinese names are found by their characters only";
        helper.kill();
        return;
    }
    const QStringList lines = QString::fromUtf8(helper.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (lines.size() < wanted.size()) {
        qCWarning(lcStart) << helper_ << "answered" << lines.size() << "lines for" << wanted.size();
        return;
    }
    for (qsizetype i = 0; i < wanted.size(); ++i)
        runs_[wanted[i]] = lines[i];
}

TextForms Romaniser::make(const QString& text)
{
    TextForms f;
    f.folded = foldTyped(text);
    splitRuns(
        text, [&](const QString& run) { appendSyllables(runs_.at(run), f.full, f.initials); },
        [&](const QString& ch, char32_t c) {
            if (QChar::isSpace(c))
                return;
            const QString folded = ch.toCaseFolded();
            f.full += folded;
            f.initials += folded;
        });
    return f;
}

const TextForms& Romaniser::forms(const QString& text)
{
    auto it = known_.find(text);
    if (it == known_.end()) {
        prepare({text});
        it = known_.emplace(text, make(text)).first;
    }
    return it->second;
}

QString foldTyped(const QString& typed)
{
    return typed.trimmed().toCaseFolded();
}

} // namespace qbx
