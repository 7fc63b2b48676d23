#include "StartUpFiles.h"

#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "ui/PictureBox.h"

#include <utility>

namespace qbx {

StartUpFiles::StartUpFiles(Launcher& launcher, std::vector<std::filesystem::path> pictures,
                           std::function<QStringList(const AppState&)> programIcons, qreal devicePixelRatio)
    : thread_([this, &launcher, pictures = std::move(pictures), programIcons = std::move(programIcons),
               devicePixelRatio] {
          launcher.readSettings();
          startModeRead_.set_value(launcher.state().settings.startMode);
          launcher.readDataFiles();
          // The image plug-ins load with the first pictures: not before the window is shown.
          shown_.wait();
          guarded(lcIcons, "decoding the first pictures",
                  [&] { decoded_ = decodePictures(pictures, devicePixelRatio); });
          guarded(lcIcons, "the tiles' program icons", [&] {
              const int devicePixels = std::max(1, qRound(PictureBox::kIconSize * devicePixelRatio));
              launcher.desktop().prepareProgramIcons(programIcons(launcher.state()), devicePixels);
          });
      })
{}

StartUpFiles::~StartUpFiles()
{
    windowShown(); // the thread, joined next, never waits for a window that is not coming
}

int StartUpFiles::startMode()
{
    return startMode_.get();
}

void StartUpFiles::windowShown()
{
    if (!std::exchange(shownSaid_, true))
        windowShown_.set_value();
}

void StartUpFiles::finish()
{
    if (!thread_.joinable())
        return;
    windowShown();
    thread_.join();
    keepDecodedPictures(std::move(decoded_));
    decoded_.clear();
}

} // namespace qbx
