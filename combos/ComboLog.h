#pragma once
// Failures of the combination launch and editor that nobody is told about are logged here.

#include <QLoggingCategory>

namespace qbx {

Q_DECLARE_LOGGING_CATEGORY(lcCombos)

} // namespace qbx
