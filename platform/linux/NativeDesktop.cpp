#include "platform/NativeDesktop.h"

#include "LinuxDesktop.h"

namespace qbx {

std::unique_ptr<Desktop> createNativeDesktop()
{
    return std::make_unique<LinuxDesktop>();
}

} // namespace qbx
