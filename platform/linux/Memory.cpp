#include "platform/Memory.h"

#include <malloc.h>

namespace qbx {

void releaseFreedMemory()
{
    malloc_trim(0);
}

} // namespace qbx
