#include "ClickSound.h"

#include "Paths.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace qbx {

ClickSound::ClickSound(std::filesystem::path appDir, QObject* parent)
    : QObject(parent), appDir_(std::move(appDir))
{}

ClickSound::~ClickSound() = default;

QString ClickSound::soundFile() const
{
    return pathText(appDir_ / "click.wav");
}

bool ClickSound::PlayClickSound()
{
    const QString path = soundFile();
    // The file is looked for on every press, as the sound may be added or removed while the
    // program runs; a missing file keeps the press silent.
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (effect_)
            effect_->stop();
        return false;
    }
    if (!effect_) {
        effect_ = new QSoundEffect(this);
        effect_->setVolume(1.0);
    }
    const QUrl url = QUrl::fromLocalFile(path);
    if (effect_->source() != url)
        effect_->setSource(url); // decoded in the background; play() waits for it without blocking
    // One sound at a time: a press during the click starts it again from the beginning.
    effect_->stop();
    effect_->play();
    return true;
}

} // namespace qbx
