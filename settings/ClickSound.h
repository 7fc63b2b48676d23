#pragma once
// The click that confirms a press on a tile or on a program icon.
//
// PlayClickSound() plays "click.wav" from the program folder and returns at once. One sound at a
// time: a press while the click still plays starts it again from the beginning. Without the file,
// or without an audio device, every press is silent and nothing is reported.

#include <QObject>
#include <QString>

#include <filesystem>

class QSoundEffect;

namespace qbx {

class ClickSound : public QObject {
    Q_OBJECT
public:
    explicit ClickSound(std::filesystem::path appDir, QObject* parent = nullptr);
    ~ClickSound() override;

    // Returns true when a sound was started (the file is there), false when the press stays silent.
    bool PlayClickSound();

    // The file that is played: AppDir/click.wav.
    QString soundFile() const;
    // The one sound effect used for every press (for tests; created on first use).
    const QSoundEffect* effect() const { return effect_; }

private:
    std::filesystem::path appDir_;
    QSoundEffect* effect_ = nullptr;
};

} // namespace qbx
