#pragma once
// What the editor makes of a file chosen in the open-file dialog (and the first start of a
// desktop entry it files): the program's name, the title it suggests and, for a desktop entry,
// the description it offers.

#include <QString>

namespace qbx {

inline constexpr int kTitleChars = 5;        // what the title box takes
inline constexpr int kDescriptionChars = 25; // what the description box takes

struct ChosenProgram {
    QString name;        // empty when the path names no file
    QString title;       // suggested title
    QString description; // offered description (desktop entries only)
    QString fileId;      // a desktop entry's file name without ".desktop": the name to use
                         // when another filed program already has the entry's Name
};

// The file name: the text after the last "/" or "\" (Windows paths read the same on Linux).
QString fileNameOf(const QString& path);

// - "x.exe" (any case): name "x", title "xexe" (name and "exe" with no dot between);
// - "x.desktop": name the entry's Name (zh_CN first, then zh, then plain), else "x"; title and
//   description the Name and Comment cut to the boxes' limits;
// - any other file: name and title the whole file name, the title cut to the title box.
// A file called just ".exe" or ".desktop" keeps its whole file name as its name.
ChosenProgram describeChosenFile(const QString& path);

// At most `chars` UTF-16 units, never splitting a surrogate pair.
QString cutToChars(const QString& text, int chars);

// The text without blanks (U+0020) at either end; other white space stays.
QString trimBlanks(const QString& text);

} // namespace qbx
