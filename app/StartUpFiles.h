#pragma once
// Start-up's file work on a thread of its own: the core reads the settings and data files, the
// pictures the main window shows first are decoded and the tiles' program icons made ready (from
// the icon cache), while the GUI thread builds the window's controls (most of that is looking up
// the font). Nothing may read the core's state until finish() has returned.

#include "ui/Skin.h"

#include <QStringList>

#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

namespace qbx {

class Launcher;
struct AppState;

class StartUpFiles {
public:
    // `programIcons`: the programs whose icons the window shows first, once the data files are read.
    StartUpFiles(Launcher& launcher, std::vector<std::filesystem::path> pictures,
                 std::function<QStringList(const AppState&)> programIcons, qreal devicePixelRatio);
    ~StartUpFiles() = default; // the thread is joined

    // Waits for the thread and keeps the decoded pictures for the windows. GUI thread; once is
    // enough, more calls do nothing.
    void finish();

private:
    std::vector<DecodedPicture> decoded_;
    std::jthread thread_;
};

} // namespace qbx
