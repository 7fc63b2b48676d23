// Romanising texts through qbx-pinyin, a run of Chinese characters at a time.

#include "Romaniser.h"

#include "PinyinJob.h"

#include <QCoreApplication>

#include <algorithm>
#include <functional>

namespace qbx {
namespace {

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

Romaniser::~Romaniser() = default;

QString Romaniser::defaultHelper()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/qbx-pinyin");
}

QStringList Romaniser::unknownRuns(const QStringList& texts, bool asked) const
{
    QStringList wanted;
    QSet<QString> seen;
    for (const QString& text : texts)
        splitRuns(
            text,
            [&](const QString& run) {
                if (runs_.find(run) == runs_.end() && (asked || !asked_.contains(run)) &&
                    !seen.contains(run)) {
                    seen.insert(run);
                    wanted << run;
                }
            },
            [](const QString&, char32_t) {});
    return wanted;
}

void Romaniser::learn(const QStringList& runs, const QStringList& syllables)
{
    for (qsizetype i = 0; i < runs.size(); ++i) {
        runs_[runs[i]] = syllables[i];
        asked_.remove(runs[i]);
    }
    // Forms made while the pinyin was on its way are made again in place.
    provisional_.removeIf([this](const QString& text) {
        bool complete = false;
        known_.at(text) = make(text, &complete);
        return complete;
    });
}

void Romaniser::prepare(const QStringList& texts)
{
    const QStringList wanted = unknownRuns(texts, true);
    if (wanted.isEmpty())
        return;
    PinyinJob job(helper_, wanted);
    QObject::connect(
        &job, &PinyinJob::finished, &job,
        [this](const QStringList& runs, const QStringList& syllables) { learn(runs, syllables); });
    job.start();
    job.waitForFinished();
}

bool Romaniser::prepareLater(const QStringList& texts, std::function<void()> learnt)
{
    const QStringList wanted = unknownRuns(texts, false);
    if (wanted.isEmpty())
        return false;
    for (const QString& run : wanted)
        asked_.insert(run);
    auto job = std::make_unique<PinyinJob>(helper_, wanted);
    PinyinJob* running = job.get();
    QObject::connect(
        running, &PinyinJob::finished, running,
        [this, running, learnt = std::move(learnt)](const QStringList& runs, const QStringList& syllables) {
            learn(runs, syllables);
            const auto it = std::find_if(jobs_.begin(), jobs_.end(),
                                         [running](const auto& j) { return j.get() == running; });
            it->release()->deleteLater();
            jobs_.erase(it);
            learnt();
        });
    jobs_.push_back(std::move(job));
    running->start();
    return true;
}

TextForms Romaniser::make(const QString& text, bool* complete) const
{
    TextForms f;
    f.folded = foldTyped(text);
    bool allKnown = true;
    splitRuns(
        text,
        [&](const QString& run) {
            const auto it = runs_.find(run);
            allKnown = allKnown && it != runs_.end();
            appendSyllables(it != runs_.end() ? it->second : run, f.full, f.initials);
        },
        [&](const QString& ch, char32_t c) {
            if (QChar::isSpace(c))
                return;
            const QString folded = ch.toCaseFolded();
            f.full += folded;
            f.initials += folded;
        });
    if (complete)
        *complete = allKnown;
    return f;
}

const TextForms& Romaniser::forms(const QString& text)
{
    auto it = known_.find(text);
    if (it == known_.end()) {
        bool complete = false;
        it = known_.emplace(text, make(text, &complete)).first;
        if (!complete)
            provisional_ << text;
    }
    return it->second;
}

QString foldTyped(const QString& typed)
{
    return typed.trimmed().toCaseFolded();
}

} // namespace qbx
