#pragma once
// The global shortcut under X11: a passive key grab on the root window of every screen, taken
// once for each state of NumLock and CapsLock so that they do not stop it. The presses reach
// the program through Qt's native event filter.

#include "platform/GlobalShortcut.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <optional>
#include <vector>

namespace qbx {

// The X keysym of a Qt key, for the keys a shortcut may use (letters, digits, punctuation,
// function and editing keys); nullopt for any other.
std::optional<std::uint32_t> keysymOf(int qtKey);
// The X modifier mask of Qt's modifiers (Shift, Ctrl, Alt as Mod1, Meta as Mod4).
std::uint16_t x11Modifiers(Qt::KeyboardModifiers modifiers);

class XcbShortcut : public GlobalShortcut, private QAbstractNativeEventFilter {
public:
    explicit XcbShortcut(QObject* parent = nullptr);
    ~XcbShortcut() override;

    Binding bind(const QKeySequence& keys) override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void release();

    std::vector<std::uint8_t> keycodes_; // what the grab holds now
    std::uint16_t modifiers_ = 0;
};

} // namespace qbx
