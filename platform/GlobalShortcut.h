#pragma once
// A key combination that reaches this program whichever program has the focus. Under X11 it is
// grabbed on the root window; where the desktop lets no program take keys for itself (Wayland),
// binding says so and the desktop's own shortcut settings are the way.
//
//   auto keys = qbx::createGlobalShortcut(&app);
//   connect(keys.get(), &qbx::GlobalShortcut::activated, ...);
//   if (keys->bind(QKeySequence(QStringLiteral("Ctrl+Alt+Space"))) == qbx::GlobalShortcut::Taken) ...

#include <QKeySequence>
#include <QObject>

#include <memory>

namespace qbx {

class GlobalShortcut : public QObject {
    Q_OBJECT
public:
    enum Binding {
        Bound,       // the combination now reaches this program (or none was asked for)
        Taken,       // another program holds it
        Unsupported, // the combination has no key this desktop knows, or the desktop allows no grab
    };

    using QObject::QObject;
    // Gives back the combination held before and takes `keys` (its first combination; empty:
    // none). The log says why a combination could not be taken.
    virtual Binding bind(const QKeySequence& keys) = 0;

signals:
    // The combination was pressed.
    void activated();
};

// The backend of the desktop the program runs on.
std::unique_ptr<GlobalShortcut> createGlobalShortcut(QObject* parent = nullptr);

} // namespace qbx
