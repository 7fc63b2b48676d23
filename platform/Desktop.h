#pragma once
// The desktop services the windows need. Only platform/ knows which desktop it runs on; the
// program picks the backend at build time, tests use the fake one.

#include <QIcon>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <optional>

class QObject;
class QWidget;

namespace qbx {

// What became of writing the start-at-login entry.
struct StartAtLoginResult {
    bool written = false;
    QString place; // where the entry lives (a file, a registry value), for the user
    QString error; // why it could not be written, for the log
};

// A screen edge a docked window keeps for itself, as docks and panels do, so that maximised
// windows stay clear of it. Logical pixels of the screen; `top`..`bottom` is the stretch of the
// edge the window covers.
struct EdgeReservation {
    enum Side { None, Left, Right };
    Side side = None;
    int width = 0;
    int top = 0;
    int bottom = 0;
    bool operator==(const EdgeReservation&) const = default;
};

// An application installed on this machine, as its desktop entry shows it in the menus.
struct InstalledApplication {
    QString path;           // the desktop entry's file
    QString fileId;         // its file name without ".desktop"
    QString name;           // Name, in the interface's language where the entry has it
    QString comment;        // Comment, the same way
    QStringList categories; // Categories ("Office", "Game", ...)
};

class Desktop {
public:
    virtual ~Desktop() = default;

    // Pointer position in screen (logical) pixels; nullopt when it cannot be read.
    virtual std::optional<QPoint> cursorPos() const = 0;
    // Geometry of the primary screen, in logical pixels.
    virtual QRect screenGeometry() const = 0;
    // Every screen (monitor) of the desktop, the primary first; logical pixels of the whole
    // desktop, so a monitor left of the primary has a negative x.
    virtual QList<QRect> screens() const { return {screenGeometry()}; }

    // A plain message box with an OK button. Returns when the user has closed it.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // The open-file dialog. `filters` as for QFileDialog ("bmp Files (*.exe)"). nullopt = cancelled.
    // An empty `startDir` opens it where a file was last chosen, else in the home folder.
    virtual std::optional<QString> openFileName(QWidget* parent, const QString& title,
                                                const QStringList& filters, const QString& startDir) = 0;

    // Starts a filed program: the whole stored string is the program's path (or a desktop
    // entry, started by its Exec line). Detached, no shell. True when a process was created.
    virtual bool startProgram(const QString& storedPath) = 0;
    // Opens a file or folder with the desktop's default application. True when the opener
    // started; when it then finds no application, `failed` is called (on the thread of
    // `context`, while it lives).
    virtual bool openWithDefaultApp(const QString& path, QObject* context = nullptr,
                                    std::function<void()> failed = {}) = 0;
    // Opens the folder of a filed program in the file manager with the program selected (for a
    // desktop entry: the program its Exec line starts). False when the path names no folder or
    // nothing could be opened. Without a file manager of its own a backend opens the folder.
    virtual bool showProgramFolder(const QString& storedPath)
    {
        const qsizetype cut =
            std::max(storedPath.lastIndexOf(QLatin1Char('/')), storedPath.lastIndexOf(QLatin1Char('\\')));
        return cut >= 0 && openWithDefaultApp(storedPath.left(cut + 1));
    }
    // Shows the properties of a file (the file manager's, else a small dialog of our own).
    virtual void showFileProperties(QWidget* parent, const QString& path) = 0;

    // The first icon of a program (see ProgramIcons), or a null icon when it has none.
    virtual QIcon programIcon(const QString& exePath) = 0;

    // Program icons as pictures of one size, on desktops that keep them between starts (see
    // platform/IconCache.h); the others draw from programIcon() each time.
    // Start-up's file thread, before the first window: the pictures of these programs made ready.
    virtual void prepareProgramIcons(const QStringList& /*paths*/, int /*devicePixels*/) {}
    // The picture of a program for a box of devicePixels (a null image: it has no icon); nullopt
    // where the desktop keeps no pictures.
    virtual std::optional<QImage> programPicture(const QString& /*path*/, int /*devicePixels*/)
    {
        return std::nullopt;
    }
    // After the first paint: checks and draws the pictures of these programs away from the GUI
    // thread, then calls `changed` with those whose picture changed (on the thread of `context`,
    // while it lives).
    virtual void refreshProgramIcons(const QStringList& /*paths*/, int /*devicePixels*/, QObject* /*context*/,
                                     std::function<void(const QStringList&)> /*changed*/)
    {}

    // The applications the desktop's menus list, each once (the first folder holding an entry
    // wins); none where the desktop has no such list.
    virtual QList<InstalledApplication> installedApplications() { return {}; }

    // Whether a system tray host is there to show our icon.
    virtual bool trayAvailable() const = 0;

    // Keeps a screen edge for `window` (side None: gives it back). Desktops without such a
    // reservation ignore it.
    virtual void reserveEdge(QWidget* window, const EdgeReservation& reservation) = 0;

    // Start at login. `enabled`: the desktop starts `program` (absolute path, shown with `icon`)
    // when the user logs in. Not enabled: the entry stays where it is but is switched off.
    virtual StartAtLoginResult setStartAtLogin(const QString& program, const QString& icon, bool enabled) = 0;
};

} // namespace qbx
