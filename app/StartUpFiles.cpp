#include "StartUpFiles.h"

#include "core/Launcher.h"
#include "platform/Logging.h"

namespace qbx {

StartUpFiles::StartUpFiles(Launcher& launcher, std::vector<std::filesystem::path> pictures,
                           qreal devicePixelRatio)
    : thread_([this, &launcher, pictures = std::move(pictures), devicePixelRatio] {
          launcher.startUp();
          guarded(lcIcons, "decoding the first pictures",
                  [&] { decoded_ = decodePictures(pictures, devicePixelRatio); });
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
