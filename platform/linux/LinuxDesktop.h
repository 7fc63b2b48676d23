#pragma once
// The desktop services on Linux and other Unix desktops (X11, or Wayland through XWayland).
//
//   auto desktop = qbx::createNativeDesktop();   // NativeDesktop.h picks this backend
//
// Programs start detached and without a shell: the whole stored string is the program's path.
// A stored path ending in .desktop is started by its Exec line (desktop-entry quoting, field codes
// removed), announced to the desktop's startup notification on X11. Files and folders open with the desktop's
// default application; file properties come from the file manager over D-Bus when one answers, else from a
// small dialog of our own.

#include "ProgramIcons.h"
#include "Spawn.h"
#include "StartupNotify.h"
#include "platform/Desktop.h"
#include "platform/IconCache.h"

#include <QObject>

#include <thread>

namespace qbx {

class LinuxDesktop : public Desktop {
public:
    // The icon theme in use is the one the pictures are drawn from (GUI thread).
    LinuxDesktop();
    ~LinuxDesktop() override;
    std::optional<QPoint> cursorPos() const override;
    QRect screenGeometry() const override;
    QList<QRect> screens() const override;
    void message(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& title, const QStringList& filters,
                                        const QString& startDir) override;
    bool startProgram(const QString& storedPath) override;
    bool openWithDefaultApp(const QString& path, QObject* context = nullptr,
                            std::function<void()> failed = {}) override;
    bool showProgramFolder(const QString& storedPath) override;
    void showFileProperties(QWidget* parent, const QString& path) override;
    QIcon programIcon(const QString& exePath) override;
    // The pictures come from the cache in $XDG_CACHE_HOME/quillbox (platform/IconCache.h).
    void prepareProgramIcons(const QStringList& paths, int devicePixels) override;
    std::optional<QImage> programPicture(const QString& path, int devicePixels) override;
    void refreshProgramIcons(const QStringList& paths, int devicePixels, QObject* context,
                             std::function<void(const QStringList&)> changed) override;
    bool trayAvailable() const override;
    // _NET_WM_STRUT_PARTIAL on the window under X11 (EdgeStrut.h).
    void reserveEdge(QWidget* window, const EdgeReservation& reservation) override;
    // An XDG autostart entry (see Autostart.h).
    StartAtLoginResult setStartAtLogin(const QString& program, const QString& icon, bool enabled) override;

    // The program and arguments startProgram runs for a stored path (empty when nothing can be
    // run: an empty path, or a desktop entry without a usable Exec line).
    static QStringList commandFor(const QString& storedPath);

    // The file a stored path starts: the path itself, or for a desktop entry the program of its
    // Exec line (found on PATH when it has no folder); empty when that cannot be told.
    static QString programFile(const QString& storedPath);
    // The extra rows of our own properties dialog for a desktop entry: its Name, Exec and Icon.
    static QList<QPair<QString, QString>> desktopEntryRows(const QString& path);

    ProgramIcons& icons() { return icons_; }
    QList<InstalledApplication> installedApplications() override;

private:
    QString lastOpenDir_; // where the open-file dialog last chose a file
    ProgramIcons icons_;
    ProgramIconCache pictures_;
    QObject relay_;            // the worker's answers reach the GUI thread through it
    std::jthread refreshing_;  // checks the pictures after the first paint
    ChildReaper children_;     // the programs started, waited for when they end
    StartupNotifier startups_; // the desktop's busy pointer while they come up (X11)
};

} // namespace qbx
