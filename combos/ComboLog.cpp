#include "ComboLog.h"

namespace qbx {

Q_LOGGING_CATEGORY(lcCombos, "qbx.combos")

} // namespace qbx
