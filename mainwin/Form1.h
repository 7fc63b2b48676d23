#pragma once
// The main window: a narrow, frameless, always-on-top column of seven tiles with its own caption
// strip. It builds its controls while start-up reads the settings and catalogue, then loads the
// tray icon, its tiles and the start-up mode. Pointer moves over the tiles and their side strips open
// the pop-up Form2, which opens the category window Form3. What the user asks for (starting a
// tile's program, an icon of the category window, the menus' windows) it says by signals.
//
// The window builds its controls (Form1.cpp), its buttons and menus (Form1Menus.cpp) and its
// start-up (Form1StartUp.cpp), handles the pointer (Form1Navigation.cpp) and answers its pop-ups
// and auto-hide (Form1Popups.cpp, Form1Hiding.cpp, Form1Screen.cpp). It is composed of parts,
// one job each:
//   TileStrips       what the tiles and their strips show: skins, lighting, arrows, names, icons
//   ColumnDock       where the column stands: snapping to the edges, following the monitors,
//                    the edge it keeps while docked with auto-hide off
//   PopupController  the pop-up Form2 and the category window Form3: loading, placing, filling
//   ColumnKeys.cpp   the keyboard: Up/Down light the tiles, Right opens the pop-up, Enter starts
//   AutoHide         the hide timers' ticks, auto-hide on and off, minimise, the tray icon's clicks
//
// Names the desktop's accessibility interface shows (for the end-to-end tests):
//   window            object name "Form1", title "Velmora软件"; caption strip label "Velmora软件"
//   Label3            "Quillbox" (labels are named by their text)
//   Picture1(i)       tile i: its category, "办公", "娱乐", "网络", "学习", "系统", "程序组合",
//                     "预留"; description = skin shown ("pnl11.jpg" at rest, "pnl12.jpg" lit,
//                     "pnl13.jpg" pressed)
//   Picture2(i)       icon box of tile i: the title of the program whose icon it shows (the
//                     combination's name on tile 5); description = the program's path
//   Image2(i), Image3(i)  right and left strips: the arrow strip "打开 <category>", the name strip
//                     "<category>"; description = skin shown ("pnl21.jpg" arrow right, "pnl22.jpg"
//                     arrow left, "pnl3<i+1>1.jpg" name, "pnl3<i+1>2.jpg" lit name); hidden strips
//                     are not showing
//   Image4            "软件介绍" (tooltip "点击看软件介绍！")
//   Command1/2        buttons "设置" and "操作"; menus sz "设置" and cz "操作" with their captions
//   Form2             object name "Form2", title the category it shows ("办公"); column k's icon
//                     the title of its program (description = program path); overlay Label1(k)
//                     and caption Label2(k) by their text
//   Form3             object name "Form3", title the column it opened over ("文字"); cell n's
//                     icon the title of its program (description = program path); Label1(n),
//                     Label2(n) by their text

#include "AutoHide.h"
#include "ColumnDock.h"
#include "HideTimer.h"
#include "PopupController.h"
#include "TileStrips.h"
#include "platform/Desktop.h"
#include "ui/MainWindowLink.h"
#include "ui/TwipPlace.h"
#include "ui/Windows.h"

#include <QTimer>
#include <QWidget>

#include <QSystemTrayIcon>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QPushButton;

namespace qbx {

struct AppState;
class Desktop;
class EventLabel;
class Form2;
class Form3;
class Launcher;
class PictureBox;
class TrayIcon;

class Form1 : public QWidget, public MainWindowLink, private AutoHideHost {
    Q_OBJECT
public:
    static constexpr int kTiles = 7;

    // The window itself, without its controls; nothing reads the core's state until load()
    // (start-up may still be reading the settings and catalogue on another thread meanwhile).
    explicit Form1(Launcher& launcher, QWidget* parent = nullptr);
    // Puts the empty window where the start-up mode `startMode` puts it and shows it, so that the
    // window manager maps it while the controls are built and filled. Nothing is painted before
    // the event loop runs, by which time load() has filled it.
    void showAtStart(int startMode);
    // Builds the window's controls and menus (once; load() does it when not done yet). Reads
    // nothing of the core's state.
    void build();
    // Loads the window from the state, whose settings and catalogue start-up has read, with
    // `appDir` as the program folder: the tray icon, the tiles, the start-up mode.
    void load();
    // The pictures the window shows as it opens (the tiles' skins, the introduction icon), which
    // start-up may decode ahead.
    static std::vector<std::filesystem::path> picturesShownFirst(const std::filesystem::path& appDir);
    // The programs whose icons the tiles show (the combinations' tile: its first member), and
    // those of every program and combination the windows may show.
    static QStringList programsShownFirst(const AppState& state);
    static QStringList programsShown(const AppState& state);
    ~Form1() override;

    // ---- state ----
    int leftTwips() const { return place_.left(); }
    int topTwips() const { return place_.top(); }
    void moveTwips(int left, int top) { place_.move(left, top); }
    // The size of the column's screen (columnScreen()) in twips.
    int screenWidthTwips() const;
    int screenHeightTwips() const;
    bool popupOnRight() const { return tiles_.popupOnRight(); }
    // What tile i shows a person: its category's name, "程序组合" or "预留".
    static QString tileLabel(int i);
    TrayIcon* trayIcon() const { return tray_.get(); }
    AutoHide& autoHide() { return *autoHide_; }
    // Whether auto-hide is on ("不自动隐藏" in the menu) and the windows are minimised.
    bool autoHideOn() const override { return dock_.autoHideOn(); }
    bool minimised() const { return autoHide_->minimised(); }
    // The catalogue slot the category window's cell n shows.
    int categorySlot(int cell) const;
    // The pop-up and the category window while they are loaded (else null).
    Form2* popup() const { return popups_.popup(); }
    Form3* categoryWindow() const { return popups_.categoryWindow(); }
    // Loads them on first use.
    Form2& form2();
    Form3& form3();
    // Raises the pop-up and the category window over the column again (a click on the column
    // raises it, and they must not be cut by it).
    void keepFloatingAbove();

    // ---- MainWindowLink ----
    QWidget* ownerWindow() override { return this; }
    void closePopups() override;
    void restoreAutoHide() override;
    void setCategoryTimer(bool on) override;
    void setHideTimers(bool on) override;
    bool roomOnRight() override;
    bool pointerOnArrow() const override;
    QRect popupTwipGeometry() override;
    // The screen holding most of the column (ColumnScreen.h).
    QRect columnScreen() const override;

    // ---- event handlers (pointer positions in twips relative to the control) ----
    void Form_MouseMove();
    void Picture1_MouseMove(int i, Qt::MouseButtons buttons, int x, int y);
    void Image2_MouseMove(int i, Qt::MouseButtons buttons, int x, int y);
    void Image3_MouseMove(int i, Qt::MouseButtons buttons, int x, int y);
    void Picture1_MouseDown(int i, Qt::MouseButton button);
    void Picture1_MouseUp(int i, Qt::MouseButton button);
    void Command1_Click();
    void Command2_Click();
    void Image4_Click();
    void bz_Click();
    void tc_Click();
    // Keeps the window against the edges when it is moved (what a 10 ms timer did before).
    void Timer3_Timer();

    // A hide delay was chosen: the running timers take it at once.
    void setHideDelays(int mainMs, int categoryMs);
    // Shows AppDir/skin/<name> on tile i (pressing and releasing use it).
    void showTileSkin(int i, const QString& name);
    // Redraws the icons of tiles 0-5 from the catalogue and the combinations.
    void refreshTileIcons();
    // Pulls the window back within the screen: left edge test first, or right edge test first.
    void SnapToEdges(bool leftTestFirst);
    // "最小化" / "显示Quillbox" and "不自动隐藏" / "自动隐藏" of the menu "操作".
    void minimiseOrShow();
    void switchAutoHide();
    // A short notice that does not wait for the user: the tray icon's message, or without the
    // icon a tooltip at the pointer.
    void showNotice(const QString& text);
    // The monitors changed (one added or removed, a new size or resolution, another primary): the
    // column stays on its screen, or goes to the primary when that screen is gone; docked or
    // hidden at the right edge it stays there, and the edges are snapped to again.
    void screenResized();
    // Shows the window wherever it was (minimised, hidden at an edge, off screen) and raises it.
    void bringBack();
    // The tray icon was clicked: a double click minimises or shows, a right click opens "操作".
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    // The start-up work the first window does not need (the tray icon), done once right after the
    // window's first paint; emits startUpFinished.
    void finishStartUp();

signals:
    // Tile i was pressed or released (the tile shows its pressed and rest looks itself).
    void tilePressed(int tile, Qt::MouseButton button);
    void tileReleased(int tile, Qt::MouseButton button);
    // Icon n of the category window was pressed or released.
    void categoryIconPressed(int cell, Qt::MouseButton button);
    void categoryIconReleased(int cell, Qt::MouseButton button);
    // Menu items whose windows the program opens: "分类程序设置", "程序组合设置", "系统设置", "关于".
    void classificationEditorRequested();
    void comboEditorRequested();
    void systemSettingsRequested();
    void aboutRequested();
    // "最小化" / "显示Quillbox" and "不自动隐藏" / "自动隐藏" were chosen.
    void minimiseRequested();
    void autoHideSwitchRequested();
    // "退出", or the window was closed: the program ends.
    void quitRequested();
    // The window is being unloaded (the program ends).
    void unloading();
    // The window is up and finishStartUp() has run: what waits for that may be prepared now.
    void startUpFinished();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // AutoHideHost
    int mainLeft() const override;
    int mainTop() const override;
    void setMainLeft(int twips) override;
    int screenWidth() const override;
    QPoint screenOrigin() const override;
    bool slidesOff(bool leftEdge) const override;
    std::optional<QPoint> categoryWindowPos() const override;
    bool popupsShown() const override;
    void hidePopups() override;
    void hideAllWindows() override;
    void showMainWindow() override;
    void popUpOperationMenu(QPoint globalPos) override;
    void showAutoHide(bool on) override;
    void showMinimised(bool minimised) override;

    void buildControls();
    void buildMenus();
    void nameControls();
    void Form_Load();
    void applyStartMode();
    // Moves the window where the start-up mode puts it.
    void moveToStartPlace(int startMode);
    void tileHover(int i, Qt::MouseButtons buttons, int x, int y, bool popupFollows = false);
    void handOnToArrow(int i, Qt::MouseButtons buttons);
    // The pointer left tile i (fromTile) or one of its strips: the lit tile dims when the pointer
    // is on neither the tile nor its arrow.
    void pointerLeft(int i, bool fromTile);
    // Lights tile `tile` as the keyboard's choice (the one lit before goes back to rest).
    void lightKeyTile(int tile);
    QIcon programWindowIcon() const;

    // ---- controls (named as the window was designed; object names "Picture1_3", "yc" ...) ----
    EventLabel* Label1 = nullptr;               // top band
    EventLabel* Label2 = nullptr;               // bottom band
    EventLabel* Label3 = nullptr;               // "Quillbox"
    PictureBox* Image4 = nullptr;               // "exe13.ico"
    PictureBox* Picture3 = nullptr;             // "45.ico" (hidden)
    std::array<PictureBox*, kTiles> Picture1{}; // tiles
    std::array<PictureBox*, kTiles> Picture2{}; // icon boxes
    std::array<PictureBox*, kTiles> Image2{};   // right strips
    std::array<PictureBox*, kTiles> Image3{};   // left strips
    QPushButton* Command1 = nullptr;            // "设置"
    QPushButton* Command2 = nullptr;            // "操作"
    QMenu* sz = nullptr;
    QMenu* cz = nullptr;
    QAction* fl = nullptr;
    QAction* cx = nullptr;
    QAction* xt = nullptr;
    QAction* zx = nullptr;
    QAction* yc = nullptr;
    QAction* gu = nullptr;
    QAction* bz = nullptr;
    QAction* tc = nullptr;
    HideTimer Timer1{this}; // auto-hide of the main window (ticks: AutoHide)
    HideTimer Timer2{this}; // hiding of the category window and pop-up (ticks: AutoHide)

    Launcher& launcher_;
    const AppState& state_;
    Desktop& desktop_;
    TwipPlace place_;
    QWidget* client_ = nullptr;
    std::unique_ptr<TrayIcon> tray_;
    bool built_ = false;
    bool startUpFinished_ = false;
    std::unique_ptr<AutoHide> autoHide_;
    ColumnDock dock_;        // where the column stands: edges, monitors, the reserved edge
    PopupController popups_; // the pop-up and the category window
    TileStrips tiles_;       // what the tiles and their strips show
    int keyTile_ = -1;       // the tile the keyboard chose, -1 before any
};

} // namespace qbx
