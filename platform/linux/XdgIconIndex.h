#pragma once
// Which icon the desktop gives a program: the desktop entries under the XDG data folders
// ($XDG_DATA_HOME or ~/.local/share, then $XDG_DATA_DIRS or /usr/local/share:/usr/share, each
// with applications/ below) are scanned once, on the first question, into an index from the
// program an entry's Exec line starts to the entry's Icon value. The first folder wins.
//
//   XdgIconIndex idx;                       // nothing read yet
//   QString name = idx.iconFor("/usr/bin/gedit");   // "org.gnome.gedit" or empty

#include <QHash>
#include <QString>
#include <QStringList>

namespace qbx {

class XdgIconIndex {
public:
    // The Icon value for a program path (absolute), or empty.
    QString iconFor(const QString& programPath);
    // Forget the index; the next question scans again (after the folders changed).
    void reset();
    // The XDG data folders in the order they are searched.
    static QStringList dataDirs();
    // Their applications/ folders.
    static QStringList applicationDirs();
    int entryCount();

private:
    void build();
    void addEntry(const QString& file);

    bool built_ = false;
    QHash<QString, QString> iconByProgram_;
};

} // namespace qbx
