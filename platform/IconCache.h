#pragma once
// The pictures of program icons, kept between starts in a small cache folder
// ($XDG_CACHE_HOME/quillbox, else ~/.cache/quillbox), so that the first window shows its icons
// without looking anything up in the application folders or the icon theme.
//
//   qbx::ProgramIconCache cache(qbx::ProgramIconCache::defaultFolder(), theme);
//   cache.prepare(tilePrograms, 32);          // start-up's file thread: the tiles' pictures
//   QImage tile = cache.picture(path, 32);    // GUI thread: ready, cached, or drawn now
//   QStringList changed = cache.refresh(allPrograms, 32);   // after the first paint, a worker
//
// A program's entry holds the picture drawn at one size and what decided it: the program file's
// size and time, the file the picture was drawn from and its time. The cache file also keeps the
// times of the application folders and of the theme folders: when one of them changed, the
// pictures are still shown at start but checked again by refresh(), which also draws what is
// missing and writes the file. The file holds a table (all of the above, and where each picture
// is) and then the pictures: a start reads the table, a picture is read and checked when shown. A
// missing, damaged or foreign cache file is ignored (and written again), a damaged picture drawn
// again; one that cannot be written is logged and the program goes on.
//
// The installed applications come from the same folder: applications() loads the index kept
// there while the application folders are unchanged, else reads the folders and keeps it.
// Any thread; the calls may overlap.

#include "ApplicationIndex.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <stop_token>

namespace qbx {

class ThemeIconFiles;

// The icon theme the pictures are looked up in.
struct IconThemeChoice {
    QString theme;
    QString fallback;
    QStringList searchPaths;
    bool operator==(const IconThemeChoice&) const = default;
};

class ProgramIconCache {
public:
    ProgramIconCache(QString folder, IconThemeChoice theme);
    ~ProgramIconCache();

    // $XDG_CACHE_HOME/quillbox, else ~/.cache/quillbox.
    static QString defaultFolder();

    void prepare(const QStringList& paths, int devicePixels);
    // Null when the program has no icon (or is not a file).
    QImage picture(const QString& path, int devicePixels);
    // Programs whose picture changed. Stops early (nothing written) once `stop` is asked.
    QStringList refresh(const QStringList& paths, int devicePixels, std::stop_token stop = {});
    std::shared_ptr<const ApplicationIndex> applications();
    // Another theme: every picture found in a theme is checked again by the next refresh().
    void setTheme(const IconThemeChoice& theme);
    IconThemeChoice theme() const;

    // Whether a picture of `path` is held and was checked since the last change (for tests).
    bool checked(const QString& path) const;
    // The files written; false (logged) when they could not be.
    bool save();

    struct Entry {
        qint64 programSize = -1, programTime = -1;
        QString source; // the file the picture was drawn from; empty: no icon
        qint64 sourceTime = -1;
        bool machine = false;   // found through the application index or the theme
        bool unchecked = false; // shown, but to be checked again after the first paint
        QByteArray png;         // the picture, when it is not read from the file
        qint64 pngAt = -1;      // where the picture is in the cache file read or written last
        qint64 pngSize = 0;
        quint64 pngSum = 0; // the checksum of those bytes, checked when they are read
    };

private:
    void loadLocked(int devicePixels);
    std::shared_ptr<const ThemeIconFiles> themeFilesLocked();
    // The entry's picture; nullopt (logged) when its bytes in the cache file are damaged.
    std::optional<QByteArray> pngLocked(const QString& path, const Entry& e) const;
    // The kept picture of `path` while the files that decided it are as they were.
    std::optional<QByteArray> keptPngLocked(const QString& path) const;
    // Every kept program's picture; a program whose picture is damaged is dropped (drawn again
    // when shown).
    QHash<QString, QByteArray> picturesLocked();
    // The index from memory, else from its file while the folders are unchanged; null otherwise.
    std::shared_ptr<const ApplicationIndex> indexWithoutReading();

    const QString folder_;
    mutable QMutex mutex_;
    IconThemeChoice theme_;
    int devicePixels_ = 0;
    bool loaded_ = false;
    QHash<QString, Entry> entries_;
    std::unique_ptr<QFile> file_;    // the cache file read or written last, kept open
    QHash<QString, QImage> decoded_; // pictures decoded for the first window
    bool dirty_ = false;             // pictures drawn since the file was read or written
    quint64 applicationsStamp_ = 0;  // the application index the pictures were checked against
    std::shared_ptr<const ThemeIconFiles> themeFiles_;
    QMutex indexMutex_;
    std::shared_ptr<const ApplicationIndex> index_;
};

} // namespace qbx
