#pragma once
// What the find box lists for what the user types: the filed programs of the five named
// categories and the combinations whose title, name, description or combination name matches,
// then the installed applications that are not filed. A text matches when the typed text is
// found in it ignoring case, or, typed without blanks, in its whole pinyin or its initials
// (Romaniser.h). Exact matches of a whole text come first, then those it begins with, then the
// rest; among equals the more used first, then by title. The texts are romanised when the
// entries are loaded, not as the user types.
//
//   qbx::FindIndex index;
//   index.load(state, installedApps);          // after every change of the catalogue
//   for (const qbx::FindHit& hit : index.find(QStringLiteral("wx"))) ...
//
// The GUI loads without waiting for the pinyin of new texts; they are found by their characters
// until it is in, then loaded again:
//   index.loadWithoutWaiting(state, installedApps, [&] { /* load again */ });

#include "Romaniser.h"
#include "platform/Desktop.h"
#include "store/AppState.h"

#include <QList>
#include <QString>

#include <functional>
#include <vector>

namespace qbx {

struct FindHit {
    enum Kind { Program, Combination, Application };
    Kind kind = Program;
    int major = 0; // a program's place; a combination's group is `minor`, its position `slot`
    int minor = 0;
    int slot = 0;
    QString path;   // a program's path, an application's desktop entry
    QString title;  // what the list shows
    QString detail; // the description, or the application's Comment
    int uses = 0;
};

class FindIndex {
public:
    // `romaniser`: the program that makes the pinyin (Romaniser.h).
    explicit FindIndex(QString romaniser = Romaniser::defaultHelper()) : romaniser_(std::move(romaniser)) {}

    // The entries of `state` and of `installed` (those whose desktop entry is not filed).
    void load(const AppState& state, const QList<InstalledApplication>& installed);
    // The same at once, with the pinyin known so far. When texts wait for theirs, `romanised` is
    // called once it is in (Romaniser::prepareLater); a load after that matches them by it.
    void loadWithoutWaiting(const AppState& state, const QList<InstalledApplication>& installed,
                            std::function<void()> romanised);
    // The matching entries in the order the box lists them: the filed programs and the
    // combinations, then the applications. Nothing typed lists every entry.
    QList<FindHit> find(const QString& typed) const;

private:
    struct Entry {
        FindHit hit;
        std::vector<const TextForms*> texts; // kept by the romaniser, which outlives the entry
        QString sortKey;                     // the title's pinyin, then the title
    };
    void add(FindHit hit, std::initializer_list<QString> texts);
    void fill(const AppState& state, const QList<InstalledApplication>& installed);

    Romaniser romaniser_;
    std::vector<Entry> entries_;
};

} // namespace qbx
