// The main window's start-up: the tray icon, the tiles (TileStrips draws them), the introduction
// icon and the start-up mode.

#include "Form1.h"

#include "Form1Layout.h"
#include "TrayIcon.h"
#include "core/Combinations.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "platform/StartupTrace.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/PictureBox.h"
#include "ui/Skin.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QAction>

#include <algorithm>
#include <utility>

namespace qbx {

using namespace form1;

namespace {

// The icon that opens the introduction.
const QString kIntroductionIcon = QStringLiteral("exe13.ico");

// How long after being shown the window finishes its start-up when it was not painted.
constexpr int kFinishStartUpLateMs = 300;

// Runs one start-up step; a failing step is logged and skipped, and the next one runs.
template <typename Step>
void step(const char* what, Step&& s)
{
    guarded(lcWindows, what, std::forward<Step>(s));
}

} // namespace

void Form1::Form_Load()
{
    // The two hide delays, as start-up read them.
    Timer1.setInterval(std::max(0, int{state_.settings.mainHideDelayMs}));
    Timer2.setInterval(std::max(0, int{state_.settings.categoryHideDelayMs}));
    autoHide_ = std::make_unique<AutoHide>(launcher_, static_cast<AutoHideHost&>(*this), Timer1, Timer2);
    // The tray icon, put in the tray once the window is up.
    step("the tray icon", [this] { tray_ = std::make_unique<TrayIcon>(desktop_); });
    step("the tiles", [this] { tiles_.placeInitial(); });
    startup::checkpoint("the tiles: skins and icons");
    // The program icon that opens the introduction.
    step("the introduction icon", [this] { showFile(*Image4, state_.appDir, kIntroductionIcon); });
    // The start-up mode; Timer1 runs from creation unless the mode says otherwise.
    step("the start-up mode", [this] { applyStartMode(); });
}

std::vector<std::filesystem::path> Form1::picturesShownFirst(const std::filesystem::path& appDir)
{
    std::vector<std::filesystem::path> files{skinPath(appDir, kTileRestSkin),
                                             skinPath(appDir, kArrowRightSkin)};
    for (int i = 0; i < kTiles; ++i)
        files.push_back(skinPath(appDir, nameStripSkin(i, false)));
    files.push_back(appDir / textPath(kIntroductionIcon));
    return files;
}

QStringList Form1::programsShownFirst(const AppState& state)
{
    QStringList out;
    for (int i = 0; i < kNamedMajors; ++i)
        if (const ProgramEntry& e = state.catalogue.at(i, 0, 0); !e.name.empty() && !e.exePath.empty())
            out << qs(e.exePath);
    if (const std::string icon = comboIconPath(state, state.combos.at(0, 0)); !icon.empty())
        out << qs(icon);
    return out;
}

QStringList Form1::programsShown(const AppState& state)
{
    QStringList out = programsShownFirst(state);
    for (int major = 0; major < kNamedMajors; ++major)
        for (int minor = 0; minor < kMinors; ++minor)
            for (int slot = 0; slot < kSlots; ++slot)
                if (const ProgramEntry& e = state.catalogue.at(major, minor, slot); !e.exePath.empty())
                    out << qs(e.exePath);
    for (int group = 0; group < kGroups; ++group)
        for (int position = 0; position < kUsedPositions; ++position)
            if (const ComboEntry& c = state.combos.at(group, position); !c.name.empty())
                if (const std::string icon = comboIconPath(state, c); !icon.empty())
                    out << qs(icon);
    out.removeDuplicates();
    return out;
}

void Form1::finishStartUp()
{
    if (std::exchange(startUpFinished_, true))
        return;
    // The program's icon (drawn, with its letter: a font of its own) for the window and the tray,
    // and the hidden picture box the tray icon belongs to gets "45.ico".
    step("the tray icon", [this] {
        setWindowIcon(programWindowIcon());
        if (tray_)
            tray_->put(windowIcon());
        showFile(*Picture3, state_.appDir, QStringLiteral("45.ico"));
    });
    startup::checkpoint("after the first paint: the tray icon");
    emit startUpFinished();
    startup::checkpoint("after the first paint: the rest");
}

void Form1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Shown again, the window manager places it first; the reserved edge follows a moment later.
    dock_.holdReservedEdge();
    // Shown where it cannot be seen (hidden at an edge, off the screen), the window may never be
    // painted: the rest of start-up then follows a moment later.
    if (!startUpFinished_)
        QTimer::singleShot(kFinishStartUpLateMs, this, &Form1::finishStartUp);
}

void Form1::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // Right after the first paint the window is on the screen: the rest of start-up follows.
    if (!startUpFinished_)
        QTimer::singleShot(0, this, &Form1::finishStartUp);
}

void Form1::moveToStartPlace(int startMode)
{
    switch (startMode) {
    case 2:
        moveTwips(kHiddenLeftTw, 0); // hidden at the left edge
        break;
    case 3:
        moveTwips(-2000, 0); // off the screen
        break;
    default:
        moveTwips(0, 0); // at the top-left corner
        break;
    }
}

void Form1::showAtStart(int startMode)
{
    moveToStartPlace(startMode);
    show();
}

void Form1::applyStartMode()
{
    const int mode = state_.settings.startMode;
    moveToStartPlace(mode);
    Timer1.setEnabled(mode != 1);
    Timer2.setEnabled(true);
    // Auto-hide is on unless the mode says otherwise; only modes 1-3 say anything.
    if (mode >= 1 && mode <= 3)
        showAutoHide(mode != 1);
}

void Form1::refreshTileIcons()
{
    tiles_.refreshIcons();
}

} // namespace qbx
