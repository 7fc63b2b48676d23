#pragma once
// The file an icon theme has for an icon name, found as the desktop's icon look-up finds it: the
// theme, the themes it inherits, the fallback theme and hicolor, in that order; in each, the
// folder whose size matches best (an exact match ends the search); .png, .svg and .xpm files.
// A name with dashes that has no file falls back to its shorter forms ("a-b-c", "a-b", "a").
//
//   qbx::ThemeIconFiles theme("Adwaita", "hicolor", QIcon::themeSearchPaths());
//   QString file = theme.find("org.gnome.gedit", 32);   // empty when no theme has it
//
// Reading the index.theme files is all the constructor does; find() only asks whether files
// exist. Safe to use from any thread once made.

#include "platform/ApplicationIndex.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace qbx {

class ThemeIconFiles {
public:
    ThemeIconFiles(const QString& theme, const QString& fallback, const QStringList& searchPaths);

    QString find(const QString& name, int size) const;
    // The theme folders looked in and their times (a folder that is missing: -1), so that a cache
    // can tell a theme installed, removed or changed.
    QList<FolderTime> folderTimes() const;

private:
    struct Folder {
        QString dir; // relative to the theme ("48x48/apps")
        int size = 0, minSize = 0, maxSize = 0, threshold = 2, scale = 1;
        enum Kind { Fixed, Scalable, Threshold } kind = Threshold;
        int distance(int wanted) const;
    };
    struct Theme {
        QStringList roots; // <search path>/<name> folders that exist
        QList<Folder> folders;
    };
    void addTheme(const QString& name, const QStringList& searchPaths, int depth);
    QString findExact(const QString& name, int size) const;

    QList<Theme> chain_;
    QStringList names_;
    QList<FolderTime> times_;
};

} // namespace qbx
