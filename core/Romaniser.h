#pragma once
// The forms a text is matched by when the user types to find a program: the text itself without
// regard to case, the whole pinyin of its Chinese characters and their initials, each with the
// Latin text around them as it comes. The pinyin is ICU's ("Han-Latin" then "Latin-ASCII"), read
// a run of Chinese characters at a time so that ICU's own choice for a character that has several
// readings in context holds (重庆 → "chongqing"); a character ICU cannot romanise stays itself.
//
//   qbx::Romaniser r;
//   const qbx::TextForms f = r.forms(QStringLiteral("QQ音乐")); // "qq音乐", "qqyinle", "qqyl"

#include <QHashFunctions>
#include <QString>

#include <memory>
#include <unordered_map>

namespace qbx {

struct TextForms {
    QString folded;   // the text, case-folded, blanks at either end removed
    QString full;     // the whole pinyin with the Latin text, case-folded, without white space
    QString initials; // the first letter of each syllable with the Latin text, the same way
};

// ICU's transliteration is opened on the first text with Chinese characters in it; without it
// (it failed to open) texts match as they are.
class Romaniser {
public:
    Romaniser();
    ~Romaniser();
    Romaniser(const Romaniser&) = delete;
    Romaniser& operator=(const Romaniser&) = delete;

    // The forms of `text`; each text is romanised once, later calls answer from memory. The
    // forms stay where they are as long as the romaniser lives.
    const TextForms& forms(const QString& text);

private:
    QString romaniseRun(const QString& run);
    TextForms make(const QString& text);

    struct Icu;
    std::unique_ptr<Icu> icu_;
    std::unordered_map<QString, TextForms> known_; // nodes keep their place: forms are pointed to
};

// The typed text as it is compared: case-folded, without blanks at either end.
QString foldTyped(const QString& typed);

} // namespace qbx
