#pragma once
// The forms a text is matched by when the user types to find a program: the text itself without
// regard to case, the whole pinyin of its Chinese characters and their initials, each with the
// Latin text around them as it comes. The pinyin is ICU's ("Han-Latin" then "Latin-ASCII"), read
// a run of Chinese characters at a time so that ICU's own choice for a character that has several
// readings in context holds (重庆 → "chongqing"); a character ICU cannot romanise stays itself.
//
// ICU's compiled rules take several megabytes, so they are not held here: qbx-pinyin, beside the
// program, romanises in a process of its own, all the texts of a load at once.
//
//   qbx::Romaniser r;
//   r.prepare({QStringLiteral("QQ音乐")});                       // one run of qbx-pinyin
//   const qbx::TextForms& f = r.forms(QStringLiteral("QQ音乐")); // "qq音乐", "qqyinle", "qqyl"

#include <QHashFunctions>
#include <QString>
#include <QStringList>

#include <unordered_map>

namespace qbx {

struct TextForms {
    QString folded;   // the text, case-folded, blanks at either end removed
    QString full;     // the whole pinyin with the Latin text, case-folded, without white space
    QString initials; // the first letter of each syllable with the Latin text, the same way
};

class Romaniser {
public:
    // `helper`: the romanising program; by default qbx-pinyin in the program's folder.
    explicit Romaniser(QString helper = defaultHelper());
    static QString defaultHelper();

    // Romanises the Chinese characters of `texts` not romanised before, in one run of the helper.
    // Without the helper (missing, failing) they match only as themselves, and the log says why.
    void prepare(const QStringList& texts);
    // The forms of `text` (prepared, or romanised now); each text is made once, later calls
    // answer from memory. The forms stay where they are as long as the romaniser lives.
    const TextForms& forms(const QString& text);

private:
    TextForms make(const QString& text);

    QString helper_;
    std::unordered_map<QString, QString> runs_;    // a run of Chinese characters → ICU's syllables
    std::unordered_map<QString, TextForms> known_; // nodes keep their place: forms are pointed to
};

// The typed text as it is compared: case-folded, without blanks at either end.
QString foldTyped(const QString& typed);

} // namespace qbx
