#include "ApplicationFilter.h"

namespace qbx {

bool applicationMatches(const InstalledApplication& app, const QString& typed)
{
    const QString text = typed.trimmed();
    return text.isEmpty() || app.name.contains(text, Qt::CaseInsensitive) ||
           app.comment.contains(text, Qt::CaseInsensitive) || app.fileId.contains(text, Qt::CaseInsensitive);
}

} // namespace qbx
