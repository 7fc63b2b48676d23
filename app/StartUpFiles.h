#pragma once
// Start-up's file work on a thread of its own: the core reads the settings and data files, and the
// pictures the main window shows first are decoded, while the GUI thread builds the window's
// controls (most of that is looking up the font). Nothing may read the core's state until
// finish() has returned.

#include "ui/Skin.h"

#include <filesystem>
#include <thread>
#include <vector>

namespace qbx {

class Launcher;

class StartUpFiles {
public:
    StartUpFiles(Launcher& launcher, std::vector<std::filesystem::path> pictures, qreal devicePixelRatio);
    ~StartUpFiles() = default; // the thread is joined

    // Waits for the thread and keeps the decoded pictures for the windows. GUI thread; once is
    // enough, more calls do nothing.
    void finish();

private:
    std::vector<DecodedPicture> decoded_;
    std::jthread thread_;
};

} // namespace qbx
