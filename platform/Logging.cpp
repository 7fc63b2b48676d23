#include "Logging.h"

namespace qbx {

Q_LOGGING_CATEGORY(lcStart, "qbx.start", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStore, "qbx.store", QtWarningMsg)
Q_LOGGING_CATEGORY(lcIcons, "qbx.icons", QtWarningMsg)
Q_LOGGING_CATEGORY(lcWindows, "qbx.windows", QtWarningMsg)
Q_LOGGING_CATEGORY(lcStartUp, "qbx.startup", QtWarningMsg)
Q_LOGGING_CATEGORY(lcRepair, "qbx.data.repair")

} // namespace qbx
