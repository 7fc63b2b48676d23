#pragma once
// The forms a text is matched by when the user types to find a program: the text itself without
// regard to case, the whole pinyin of its Chinese characters and their initials, each with the
// Latin text around them as it comes. The pinyin is ICU's ("Han-Latin" then "Latin-ASCII"), read
// a run of Chinese characters at a time so that ICU's own choice for a character that has several
// readings in context holds (重庆 → "chongqing"); a character ICU cannot romanise stays itself.
//
// ICU's compiled rules take several megabytes, so they are not held here: qbx-pinyin, beside the
// program, romanises in a process of its own (PinyinJob.h), all the texts of a load at once.
// The GUI does not wait for it: prepareLater() lets it run and says when its answer is learnt;
// until then a text's forms take its Chinese characters as they are, and they are made again
// when the answer comes. Used on one thread.
//
//   qbx::Romaniser r;
//   r.prepare({QStringLiteral("QQ音乐")});                       // one run of qbx-pinyin, waited for
//   const qbx::TextForms& f = r.forms(QStringLiteral("QQ音乐")); // "qq音乐", "qqyinle", "qqyl"
//   r.prepareLater(texts, [] { /* forms() of `texts` now have their pinyin */ });

#include <QHashFunctions>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace qbx {

class PinyinJob;

struct TextForms {
    QString folded;   // the text, case-folded, blanks at either end removed
    QString full;     // the whole pinyin with the Latin text, case-folded, without white space
    QString initials; // the first letter of each syllable with the Latin text, the same way
};

class Romaniser {
public:
    // `helper`: the romanising program; by default qbx-pinyin in the program's folder.
    explicit Romaniser(QString helper = defaultHelper());
    ~Romaniser();
    Romaniser(const Romaniser&) = delete;
    Romaniser& operator=(const Romaniser&) = delete;
    static QString defaultHelper();

    // Romanises the Chinese characters of `texts` not romanised before, in one run of the helper,
    // and waits for it. Without the helper (missing, failing) they match only as themselves, and
    // the log says why.
    void prepare(const QStringList& texts);
    // The same without waiting: `learnt` is called once the helper's answer is in (from the
    // event loop; at once when the helper cannot be started). False, and no call, when every run
    // of `texts` is known or being romanised already.
    bool prepareLater(const QStringList& texts, std::function<void()> learnt);
    // The forms of `text`; each text is made once, later calls answer from memory. Chinese
    // characters whose pinyin is not known yet stand for themselves until it is learnt; then the
    // forms are made again where they are: they stay in place as long as the romaniser lives.
    const TextForms& forms(const QString& text);

private:
    // The runs of `texts` not learnt (and, unless `asked`, not being romanised), each once.
    QStringList unknownRuns(const QStringList& texts, bool asked) const;
    void learn(const QStringList& runs, const QStringList& syllables);
    TextForms make(const QString& text, bool* complete = nullptr) const;

    QString helper_;
    std::unordered_map<QString, QString> runs_;    // a run of Chinese characters → ICU's syllables
    std::unordered_map<QString, TextForms> known_; // nodes keep their place: forms are pointed to
    QStringList provisional_;                      // texts of known_ made before their pinyin was in
    QSet<QString> asked_;                          // runs a job is romanising
    std::vector<std::unique_ptr<PinyinJob>> jobs_; // running without being waited for
};

// The typed text as it is compared: case-folded, without blanks at either end.
QString foldTyped(const QString& typed);

} // namespace qbx
