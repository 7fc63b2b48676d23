#pragma once
// Which icon the desktop gives a program: the Icon of the desktop entry whose Exec line starts it,
// from the index of the application folders (ApplicationIndex), made on the first question (or
// given by whoever keeps one) and read once. The first folder wins.
//
//   XdgIconIndex idx;                       // nothing read yet
//   QString name = idx.iconFor("/usr/bin/gedit");   // "org.gnome.gedit" or empty

#include "platform/ApplicationIndex.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace qbx {

class XdgIconIndex {
public:
    using Source = std::function<std::shared_ptr<const ApplicationIndex>()>;

    // The Icon value for a program path (absolute), or empty.
    QString iconFor(const QString& programPath);
    // Forget the index; the next question reads it again (after the folders changed).
    void reset() { index_.reset(); }
    // Where the index comes from; without one the folders are read.
    void setSource(Source source) { source_ = std::move(source); }
    // The XDG data folders in the order they are searched.
    static QStringList dataDirs();
    // Their applications/ folders.
    static QStringList applicationDirs() { return ApplicationIndex::folders(); }
    int entryCount();

private:
    const ApplicationIndex& index();

    Source source_;
    std::shared_ptr<const ApplicationIndex> index_;
};

} // namespace qbx
