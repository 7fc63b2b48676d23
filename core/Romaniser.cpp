// Romanising texts with ICU's transliteration, a run of Chinese characters at a time.

#include "Romaniser.h"

#include "Logging.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace qbx {

struct Romaniser::Icu {
    std::unique_ptr<icu::Transliterator> toAscii;
};

Romaniser::Romaniser() = default;

Romaniser::~Romaniser() = default;

QString Romaniser::romaniseRun(const QString& run)
{
    if (!icu_) {
        icu_ = std::make_unique<Icu>();
        UErrorCode status = U_ZERO_ERROR;
        icu_->toAscii.reset(icu::Transliterator::createInstance(icu::UnicodeString(u"Han-Latin; Latin-ASCII"),
                                                                UTRANS_FORWARD, status));
        if (U_FAILURE(status)) {
            icu_->toAscii.reset();
            qCWarning(lcStart, "ICU cannot romanise Chinese (%s): programs are found by their text only",
                      u_errorName(status));
        }
    }
    if (!icu_->toAscii)
        return run;
    icu::UnicodeString text(reinterpret_cast<const char16_t*>(run.utf16()), int32_t(run.size()));
    icu_->toAscii->transliterate(text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

namespace {

bool isHan(char32_t c)
{
    return QChar::script(c) == QChar::Script_Han;
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

TextForms Romaniser::make(const QString& text)
{
    TextForms f;
    f.folded = foldTyped(text);
    QString run;
    const auto flushRun = [&] {
        if (!run.isEmpty())
            appendSyllables(romaniseRun(run), f.full, f.initials);
        run.clear();
    };
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
            run += ch;
            continue;
        }
        flushRun();
        if (QChar::isSpace(c))
            continue;
        const QString folded = ch.toCaseFolded();
        f.full += folded;
        f.initials += folded;
    }
    flushRun();
    return f;
}

const TextForms& Romaniser::forms(const QString& text)
{
    auto it = known_.find(text);
    if (it == known_.end())
        it = known_.emplace(text, make(text)).first;
    return it->second;
}

QString foldTyped(const QString& typed)
{
    return typed.trimmed().toCaseFolded();
}

} // namespace qbx
