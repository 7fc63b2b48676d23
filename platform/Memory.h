#pragma once
// Memory the program freed after a burst of work (the icons checked after start-up, the find
// box's list made) goes back to the system, so that a launcher resident all day keeps only what
// it holds (on Linux: glibc's malloc_trim).

namespace qbx {

void releaseFreedMemory();

} // namespace qbx
