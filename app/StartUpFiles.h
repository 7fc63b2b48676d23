#pragma once
// Start-up's file work on a thread of its own: the core reads the settings and data files, the
// pictures the main window shows first are decoded and the tiles' program icons made ready (from
// the icon cache), while the GUI thread shows the window and builds its controls (most of that is
// looking up the font). Nothing may read the core's state until finish() has returned; the
// start-up mode alone is told as soon as the settings are read.

#include "ui/Skin.h"

#include <QStringList>

#include <filesystem>
#include <functional>
#include <future>
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
    ~StartUpFiles(); // the thread is joined

    // The start-up mode, once the settings are read (the rest may still be in work). GUI thread.
    int startMode();
    // The window is shown: the pictures are decoded from now on. Until then only the data files
    // are read, so that loading the image plug-ins does not hold the window's mapping up.
    // finish() says it too.
    void windowShown();
    // Waits for the thread and keeps the decoded pictures for the windows. GUI thread; once is
    // enough, more calls do nothing.
    void finish();

private:
    std::vector<DecodedPicture> decoded_;
    std::promise<int> startModeRead_; // set by the thread once the settings are read
    std::shared_future<int> startMode_ = startModeRead_.get_future().share();
    std::promise<void> windowShown_;
    std::future<void> shown_ = windowShown_.get_future();
    bool shownSaid_ = false;
    std::jthread thread_;
};

} // namespace qbx
