#pragma once
// The icon shown for a filed program, and the helper the windows draw it with.
//
//   qbx::ProgramIcons icons;                     // one per backend; owns its cache and XDG index
//   QIcon i = icons.icon("/opt/tool/setup.exe"); // null QIcon when the program has none
//
//   // In a window: the pixmap for a 32 × 32 logical icon box on this screen (empty path or no
//   // icon -> null pixmap, and the caller leaves the box as it was).
//   QPixmap pm = qbx::programIconPixmap(desktop, path, 32, widget->devicePixelRatioF());
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
#include <QPixmap>
#include <QString>

namespace qbx {

class Desktop;

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

// `icon` as a square pixmap of logicalSize × logicalSize at the given device pixel ratio: the
// icon's best picture scaled to fit (up or down) and centred, transparent around it.
QPixmap fittedIconPixmap(const QIcon& icon, int logicalSize, qreal dpr);

// The pixmap to draw for a program in a box of logicalSize × logicalSize at the given device
// pixel ratio: the desktop's kept picture where it keeps them (Desktop::programPicture), else its
// icon fitted as above; null when the path is empty or the program has no icon.
QPixmap programIconPixmap(Desktop& desktop, const QString& path, int logicalSize, qreal dpr);

} // namespace qbx
