#pragma once
// The main window: a narrow, frameless, always-on-top column of seven tiles with its own caption
// strip. Loading it starts the program (settings, tray icon, catalogue, tiles, start-up mode).
// Pointer moves over the tiles and their side strips open the pop-up Form2, which opens the
// category window Form3.
//
// Names the desktop's accessibility interface shows (for the end-to-end tests):
//   window            object name "Form1", title "Velmora软件"; caption strip label "Velmora软件"
//   Label3            "Quillbox" (labels are named by their text)
//   Picture1(i)       tile i: "tile-办公", "tile-娱乐", "tile-网络", "tile-学习", "tile-系统",
//                     "tile-程序组合", "tile-预留"; description = skin shown ("pnl11.jpg" at rest,
//                     "pnl12.jpg" lit, "pnl13.jpg" pressed)
//   Picture2(i)       icon box of tile i: "tile-icon-i"; description = the program whose icon it shows
//   Image2(i)         right strip: "strip-right-i"; Image3(i) left strip: "strip-left-i";
//                     description = skin shown ("pnl21.jpg" arrow right, "pnl22.jpg" arrow left,
//                     "pnl3<i+1>1.jpg" name, "pnl3<i+1>2.jpg" lit name); hidden strips are not showing
//   Image4            "intro-icon" (tooltip "点击看软件介绍！")
//   Command1/2        buttons "设置" and "操作"; menus sz "设置" and cz "操作" with their captions
//   Form2             object name and title "Form2"; column k icon "popup-icon-k" (description =
//                     program path); overlay Label1(k) and caption Label2(k) by their text
//   Form3             object name and title "Form3"; cell n icon "cat-icon-n" (description =
//                     program path); Label1(n), Label2(n) by their text

#include "HideTimer.h"
#include "MainWindowLink.h"
#include "TwipPlace.h"
#include "Windows.h"

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QPushButton;

namespace qbx {

struct AppState;
class Desktop;
class EventLabel;
class Form2;
class Form3;
class PictureBox;
class TrayIcon;

class Form1 : public QWidget, public MainWindowLink {
    Q_OBJECT
public:
    static constexpr int kTiles = 7;

    // Runs the start-up steps with `state.appDir` as the program folder.
    Form1(AppState& state, Desktop& desktop, QWidget* parent = nullptr);
    ~Form1() override;

    // ---- controls ----
    EventLabel* Label1 = nullptr; // top band
    EventLabel* Label2 = nullptr; // bottom band
    EventLabel* Label3 = nullptr; // "Quillbox"
    PictureBox* Image4 = nullptr; // "exe13.ico"
    PictureBox* Picture3 = nullptr; // "45.ico" (hidden)
    std::array<PictureBox*, kTiles> Picture1{}; // tiles
    std::array<PictureBox*, kTiles> Picture2{}; // icon boxes
    std::array<PictureBox*, kTiles> Image2{};   // right strips
    std::array<PictureBox*, kTiles> Image3{};   // left strips
    QPushButton* Command1 = nullptr; // "设置"
    QPushButton* Command2 = nullptr; // "操作"
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
    HideTimer Timer1; // auto-hide of the main window (ticks: AutoHide)
    HideTimer Timer2; // hiding of the category window and pop-up (ticks: AutoHide)

    // ---- what the menus open; attached by the program (empty: the item does nothing) ----
    std::function<void()> openClassificationEditor; // "分类程序设置" (Form6, modal)
    std::function<void()> openComboEditor;          // "程序组合设置" (Form9, modal)
    std::function<void()> openSystemSettings;       // "系统设置" (Form4, modal)
    std::function<void()> openAbout;                // "关于" (about, modeless)
    std::function<void()> minimiseOrShow;           // "最小化" / "显示Quillbox"
    std::function<void()> switchAutoHide;           // "不自动隐藏" / "自动隐藏"
    // Ends the program ("退出", closing the window); QCoreApplication::quit by default.
    std::function<void()> quitProgram;
    // Presses and releases on tile i (starting programs); attached by the program.
    std::function<void(int tile, Qt::MouseButton button)> onPicture1MouseDown;
    std::function<void(int tile, Qt::MouseButton button)> onPicture1MouseUp;

    // ---- state ----
    int leftTwips() const { return place_.left(); }
    int topTwips() const { return place_.top(); }
    void moveTwips(int left, int top) { place_.move(left, top); }
    int screenWidthTwips() const;
    int screenHeightTwips() const;
    bool popupOnRight() const { return popupOnRight_; }
    TrayIcon* trayIcon() const { return tray_.get(); }
    // The pop-up and the category window while they are loaded (else null).
    Form2* popup() const { return form2_.get(); }
    Form3* categoryWindow() const { return form3_.get(); }
    // Loads them on first use.
    Form2& form2();
    Form3& form3();

    // ---- MainWindowLink ----
    QWidget* ownerWindow() override { return this; }
    void closePopups() override;
    void restoreAutoHide() override;
    void setCategoryTimer(bool on) override;
    void setHideTimers(bool on) override;
    bool roomOnRight() override;

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

    // Shows AppDir/skin/<name> on tile i (pressing and releasing use it).
    void showTileSkin(int i, const QString& name);
    // Redraws the icons of tiles 0-5 from the catalogue and the combinations.
    void refreshTileIcons();
    // Pulls the window back within the screen: left edge test first, or right edge test first.
    void SnapToEdges(bool leftTestFirst);

signals:
    // The window is being unloaded (the program ends).
    void unloading();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void Form_Load();
    void placeInitialTiles();
    void drawTileIcon(int major);
    void drawCombinationTileIcon();
    void applyStartMode();
    void tileHover(int i, Qt::MouseButtons buttons, int x, int y);
    void leaveTile(int i, int x, int y);
    void enterTile(int i);
    void openPopup(bool onRight);
    void fillPopup(bool mirrored);
    void showStrip(PictureBox& strip, const QString& skin);
    void unloadPopup();
    void runMenuAction(const std::function<void()>& action);
    QIcon programWindowIcon() const;

    AppState& state_;
    Desktop& desktop_;
    TwipPlace place_;
    QWidget* client_ = nullptr;
    std::unique_ptr<TrayIcon> tray_;
    WindowPtr<Form2> form2_;
    WindowPtr<Form3> form3_;
    QRect lastPopupGeometry_;
    bool popupOnRight_ = false;
    bool snapping_ = false;
};

} // namespace qbx
