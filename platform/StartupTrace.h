#pragma once
// Where the program's start spends its time, from main() to its first window on the screen:
//
//   QT_LOGGING_RULES="qbx.startup.info=true" build/app/qbx
//
// prints one line a checkpoint with the milliseconds since main() began and since the checkpoint
// before. Nothing is printed (and next to nothing done) while the category is off.

class QWindow;

namespace qbx::startup {

// Starts the clock; called first thing in main().
void begin();
// Logs that the step named `what` has ended.
void checkpoint(const char* what);
// Logs the first time `window` is exposed on the screen and when its first frame is painted (also
// as the system's monotonic clock, for the start-up benchmark), and the after-show work that follows.
void untilExposed(QWindow* window);

} // namespace qbx::startup
