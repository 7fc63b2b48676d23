#pragma once
// The icon the Linux backend gives a filed program (the windows draw it through
// platform/IconPixmaps.h).
//
//   qbx::ProgramIcons icons;                     // one per backend; owns its cache and XDG index
//   QIcon i = icons.icon("/opt/tool/setup.exe"); // null QIcon when the program has none
//
// Where the icon comes from:
//   - a Windows program or library (.exe, .dll, anything starting with "MZ") or an .ico file:
//     the first icon group inside the file (PeIconReader);
//   - a desktop entry (.desktop): the icon its Icon key names (absolute file, theme name, or a
//     picture in the XDG pixmaps/ folders);
//   - any other program: the Icon of the desktop entry whose Exec starts that path (XdgIconIndex),
//     else the theme icon named after the file;
//   - any existing file that has no icon of its own: the theme's generic program icon
//     (application-x-executable), so no tile or cell stays blank.
// Results (also "no icon") are cached by path, file size and modification time, so a file that
// changes is read again and an unchanged one is not.

#include "XdgIconIndex.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QString>

namespace qbx {

class ProgramIcons {
public:
    QIcon icon(const QString& path);

    // Reads the icon without the cache (the benchmark and tests measure the lookup itself).
    QIcon load(const QString& path);

    XdgIconIndex& xdgIndex() { return xdg_; }
    void clearCache() { cache_.clear(); }
    // How many times a file was actually read (cache misses); for tests.
    int loads() const { return loads_; }

private:
    struct Entry {
        qint64 size = -1;
        QDateTime mtime;
        QIcon icon;
    };
    QIcon iconFromName(const QString& nameOrFile);
    QIcon loadOwn(const QFileInfo& fi);

    QHash<QString, Entry> cache_;
    XdgIconIndex xdg_;
    int loads_ = 0;
};

// An icon as .ico bytes in memory -> QIcon holding every size in it; null when Qt cannot decode it.
QIcon iconFromIcoBytes(const QByteArray& ico);

} // namespace qbx
