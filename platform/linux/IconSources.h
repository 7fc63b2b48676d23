#pragma once
// Which file a program's icon is drawn from, and the drawing, without QIcon (any thread).
//
//   qbx::IconSource s = qbx::findIconSource(path, &index, theme, 32);
//   QImage picture = qbx::drawIconFile(s.file, 32);
//
// The order is the one ProgramIcons.h describes: a desktop entry's Icon key; the icon inside a
// Windows program or .ico file (the file itself is the source); the Icon of the desktop entry
// that starts the program; the theme icon named after the file; the theme's generic program icon.

#include <QImage>
#include <QList>
#include <QString>

namespace qbx {

class ApplicationIndex;
class ThemeIconFiles;

struct IconSource {
    QString file;         // empty: no icon
    bool machine = false; // found through the application index or the icon theme
};

// `index` may be null (not known yet): the desktop entry that starts the program is then not asked.
IconSource findIconSource(const QString& path, const ApplicationIndex* index, const ThemeIconFiles& theme,
                          int size);

// A Windows icon (.ico bytes) as its pictures, the deepest of each size.
QList<QImage> imagesFromIcoBytes(const QByteArray& ico);

// The picture in `file` (its first icon for Windows files) in a square of devicePixels: the
// largest picture up to the box, or its smallest when all are larger, scaled to fit and centred.
// Null when nothing can be read.
QImage drawIconFile(const QString& file, int devicePixels);

} // namespace qbx
