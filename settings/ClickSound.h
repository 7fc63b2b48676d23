#pragma once
// The click that confirms a press on a tile or on a program icon.
//
// PlayClickSound() plays "click.wav" from the program folder through the desktop's event-sound
// library (libcanberra) and returns at once: the sound server is spoken to on a thread of its
// own, from the first press on (the library and its connection cost memory that a program not
// clicked need not hold). One sound at a time: a press while the click still plays starts it
// again from the beginning. Without the file, or without a sound server, every press is silent
// and nothing is reported. The user's mixer controls it as an event sound.

#include <QObject>
#include <QString>

#include <filesystem>
#include <memory>

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
    // How many presses started the sound (for tests).
    int soundsStarted() const { return started_; }

private:
    class Player;
    std::filesystem::path appDir_;
    std::unique_ptr<Player> player_;
    int started_ = 0;
};

} // namespace qbx
