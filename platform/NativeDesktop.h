#pragma once
// The desktop backend of the platform the program was built for.
//
//   std::unique_ptr<qbx::Desktop> desktop = qbx::createNativeDesktop();  // after QApplication

#include "Desktop.h"

#include <memory>

namespace qbx {

std::unique_ptr<Desktop> createNativeDesktop();

} // namespace qbx
