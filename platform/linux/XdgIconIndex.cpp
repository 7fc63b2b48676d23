#include "XdgIconIndex.h"

namespace qbx {

QStringList XdgIconIndex::dataDirs()
{
    QStringList out;
    for (QString d : ApplicationIndex::folders()) {
        d.chop(13); // "/applications"
        out << d;
    }
    return out;
}

const ApplicationIndex& XdgIconIndex::index()
{
    if (!index_)
        index_ = source_ ? source_() : nullptr;
    if (!index_)
        index_ = std::make_shared<const ApplicationIndex>(ApplicationIndex::scan(applicationDirs()));
    return *index_;
}

int XdgIconIndex::entryCount()
{
    return static_cast<int>(index().applications().size());
}

QString XdgIconIndex::iconFor(const QString& programPath)
{
    const IndexedApplication* app = index().forProgram(programPath);
    return app ? app->icon : QString();
}

} // namespace qbx
