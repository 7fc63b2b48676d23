#include "StartUpFiles.h"

#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "ui/PictureBox.h"

namespace qbx {

StartUpFiles::StartUpFiles(Launcher& launcher, std::vector<std::filesystem::path> pictures,
                           std::function<QStringList(const AppState&)> programIcons, qreal devicePixelRatio)
    : thread_([this, &launcher, pictures = std::move(pictures), programIcons = std::move(programIcons),
               devicePixelRatio] {
          launcher.startUp();
          guarded(lcIcons, "decoding the first pictures",
                  [&] { decoded_ = decodePictures(pictures, devicePixelRatio); });
          guarded(lcIcons, "the tiles' program icons", [&] {
              const int devicePixels = std::max(1, qRound(PictureBox::kIconSize * devicePixelRatio));
              launcher.desktop().prepareProgramIcons(programIcons(launcher.state()), devicePixels);
          });
      })
{}

void StartUpFiles::finish()
{
    if (!thread_.joinable())
        return;
    thread_.join();
    keepDecodedPictures(std::move(decoded_));
    decoded_.clear();
}

} // namespace qbx
