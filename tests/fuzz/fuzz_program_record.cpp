// Any bytes as a record of "yfrj.dat" / "wfrj.dat".

#include "RoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qbx::fuzz::checkRoundTrip<qbx::ProgramEntry>(data, size);
    return 0;
}
