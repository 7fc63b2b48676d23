#pragma once
// Starting a filed program and counting its use; what a press and a release on a tile of the
// main window or on an icon of the category window do.
//
//   StartProgram(state, desktop, major, minor, slot)  start, count, re-order (the one way a
//                                                      filed program is started)
//   TileClicks    Form1's Picture1(i) mouse-down / mouse-up logic
//   startSelection  the category window's "start the selection" (left click or its menu's "打开")

#include <QString>

#include <functional>

class QWidget;

namespace qbx {

struct AppState;
class Desktop;
class ClickSound;
class MainWindowLink;

// Starts Catalogue(major, minor, slot): an empty exePath (or indices outside the catalogue)
// starts and counts nothing and returns false. Otherwise the stored path is started without
// waiting and without looking at the result, useCounter grows by one (it stays at 2147483647
// once there) and sortMinorCategory re-orders and writes the minor category. Returns true when
// the program was counted, whether or not its start succeeded. Nothing is ever shown to the user.
// `recordsWritten`, when given, receives the number of records the re-ordering wrote.
bool StartProgram(AppState& state, Desktop& desktop, int major, int minor, int slot,
                  int* recordsWritten = nullptr);

// The skin pictures of a tile at rest and pressed (file names inside AppDir/skin).
inline constexpr const char* kTileRestSkin = "pnl11.jpg";
inline constexpr const char* kTilePressedSkin = "pnl13.jpg";

// Press and release on the main window's tiles Picture1(0..6).
class TileClicks {
public:
    struct Hooks {
        // Shows AppDir/skin/<skin> on tile i.
        std::function<void(int tile, const char* skin)> showTileSkin;
        // Left release on tile 5: launch the most used combination, ComboTable(0, 0). Until
        // combination launching is built the hook may be empty and the release does nothing more.
        std::function<void()> launchMostUsedCombination;
        // Right release on tile i (CurMajor = i, CurMinor = CurSlot = 0 already set): the category
        // window's command menu for minor category (i, 0). May be empty until that menu is built.
        std::function<void(int tile)> openTileCommandMenu;
        // The window that owns the message box of tile 6.
        QWidget* messageOwner = nullptr;
    };

    TileClicks(AppState& state, Desktop& desktop, ClickSound& sound, Hooks hooks);

    // Any button: the click sound, then the pressed picture.
    void Picture1_MouseDown(int tile, Qt::MouseButton button);
    // The release logic: left starts the tile's program (tiles 0-4), the combination (5) or says
    // that tile 6 comes later; right opens the command menu; every release that does not stop
    // early (left on a tile whose first minor category is empty) ends with the rest picture.
    void Picture1_MouseUp(int tile, Qt::MouseButton button);

private:
    AppState& state_;
    Desktop& desktop_;
    ClickSound& sound_;
    Hooks hooks_;
};

// Tile 6's and the reserved category's messages.
inline constexpr const char* kTile6Message = "下一个版本才有呢！";
inline constexpr const char* kReservedCategoryMessage = "下个版本才有呢!";

// How the category window's start was asked for: a click on an icon, or "打开" in its menu.
enum class StartOrigin { IconClick, OpenCommand };

struct SelectionHooks {
    // LaunchCombination(group, position) for the combination category; empty until built.
    std::function<void(int group, int position)> launchCombination;
    QWidget* messageOwner = nullptr;
};

// Starts the entry CurMajor/CurMinor/CurSlot points at. Majors 0-4 start the program, 5 the
// combination (with a name and a first member), 6 shows the reserved-category message. When
// something was started the pop-up and the category window are unloaded; after an icon click
// that started something or showed the message both hide timers are switched on, while the
// menu's "打开" leaves the timers and unloads the two windows after the message as well.
// Returns true when something was started or the message shown.
bool startSelection(AppState& state, Desktop& desktop, MainWindowLink& mainWindow, StartOrigin origin,
                    const SelectionHooks& hooks);

} // namespace qbx
