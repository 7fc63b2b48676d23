#pragma once
// The applications installed on this machine, read once from the desktop's application folders
// (on XDG desktops: the desktop entries under applications/ of the XDG data folders; the first
// folder holding a file id wins, "/" below applications/ read as "-").
//
//   qbx::ApplicationIndex index = qbx::ApplicationIndex::scan(qbx::ApplicationIndex::folders());
//   for (const qbx::IndexedApplication& a : index.applications()) ...   // every entry, menu or not
//   QList<qbx::InstalledApplication> menu = index.installed();          // as the menus list them
//   if (const auto* a = index.forProgram("/usr/bin/gedit")) a->icon;    // the entry starting it
//
// An index remembers the modification times of the folders it read (every folder below them
// too) and of the entries: upToDate() tells whether a saved one may be used instead of reading the
// folders again. An entry edited in place changes no folder's time, only its own.

#include "Desktop.h"

#include <QDataStream>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace qbx {

struct IndexedApplication {
    QString path;   // the desktop entry's file
    QString fileId; // its id ("org.gnome.gedit")
    QString name;   // Name and Comment in the interface's language where the entry has them
    QString comment;
    QString exec;    // the Exec line
    QString program; // the program it starts, absolute (Exec's first word, found on PATH); may be empty
    QString icon;    // a theme icon name or a file
    QStringList categories;
    bool listed = false;  // an application the menus show (not hidden, TryExec found, ...)
    qint64 fileTime = -1; // the entry's modification time when it was read
};

// A folder and its modification time (ms since the epoch; -1 when it is missing).
struct FolderTime {
    QString path;
    qint64 mtime = -1;
    bool operator==(const FolderTime&) const = default;
};

class ApplicationIndex {
public:
    // The application folders in the order they are searched.
    static QStringList folders();
    // Reads every entry below `applicationFolders`.
    static ApplicationIndex scan(const QStringList& applicationFolders);

    // Every entry read (the first of each file id), in folder order.
    const QList<IndexedApplication>& applications() const { return apps_; }
    // The listed ones, in the order of their Name, then their file id.
    QList<InstalledApplication> installed() const;
    // The entry whose Exec (or TryExec) starts `programPath`; nullptr when none does. Entries of
    // earlier folders win.
    const IndexedApplication* forProgram(const QString& programPath) const;

    // Whether the folders and entries read still have the times they had then (and the same
    // folders are asked).
    bool upToDate(const QStringList& applicationFolders) const;
    const QList<FolderTime>& folderTimes() const { return times_; }
    // Tells one reading of the folders from another: it changes whenever a folder or an entry
    // read has another time.
    quint64 stamp() const;

    void save(QDataStream& out) const;
    // nullopt when the stream does not hold an index.
    static std::optional<ApplicationIndex> load(QDataStream& in);

private:
    void add(const QString& file, const QString& fileId, qint64 fileTime);

    QStringList roots_;
    QList<FolderTime> times_;
    QList<IndexedApplication> apps_;
    QHash<QString, qint64> byProgram_; // program path (clean and canonical) -> index in apps_
};

// A file's size (-1 unless it is a regular file) and modification time (ms since the epoch, -1
// when it is missing), read at once and without a time zone.
struct FileStamp {
    qint64 size = -1;
    qint64 mtime = -1;
};
FileStamp fileStamp(const QString& path);
// The modification time of a folder or file as FolderTime keeps it.
inline qint64 modificationTime(const QString& path)
{
    return fileStamp(path).mtime;
}

QDataStream& operator<<(QDataStream& s, const IndexedApplication& a);
QDataStream& operator>>(QDataStream& s, IndexedApplication& a);
QDataStream& operator<<(QDataStream& s, const FolderTime& t);
QDataStream& operator>>(QDataStream& s, FolderTime& t);

} // namespace qbx
