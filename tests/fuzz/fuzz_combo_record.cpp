// Any bytes as a record of "zhrj.dat".

#include "RoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    qbx::fuzz::checkRoundTrip<qbx::ComboEntry>(data, size);
    return 0;
}
