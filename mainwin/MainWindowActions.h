#pragma once
// What the main window and the category window do when the user acts: the click sound, starting
// programs from the tiles and from the category window's icons, auto-hide, minimise and the tray
// icon. Attached to a loaded Form1 (and to each category window it loads):
//
//   qbx::Form1 form1(state, desktop);
//   qbx::MainWindowActions actions(form1, state, desktop);
//
// The combination launch and the two command menus come later; their hooks below do nothing
// while they are empty.

#include "AutoHide.h"
#include "ClickSound.h"
#include "StartProgram.h"

#include <QObject>

#include <functional>
#include <memory>

namespace qbx {

class Form1;
class Form3;

class MainWindowActions : public QObject, private AutoHideHost {
    Q_OBJECT
public:
    MainWindowActions(Form1& form1, AppState& state, Desktop& desktop, QObject* parent = nullptr);
    ~MainWindowActions() override;

    // Later issues: the most used combination (left release on tile 5), a combination of the
    // category window, the command menu of a tile (right release) and of the category window
    // (right release on an icon, `menu1`).
    std::function<void()> launchMostUsedCombination;
    std::function<void(int group, int position)> launchCombination;
    std::function<void(int tile)> openTileCommandMenu;
    std::function<void(Form3& window, int cell)> openCategoryMenu;

    ClickSound& clickSound() { return sound_; }
    AutoHide& autoHide() { return *autoHide_; }

    // The category window's icon Picture1(n): pressed (any button: the click sound; left: the
    // sunken look) and released (CurSlot from the cell; right: the command menu; other buttons:
    // the flat look, then start the selection).
    void categoryMouseDown(Form3& window, int cell, Qt::MouseButton button);
    void categoryMouseUp(Form3& window, int cell, Qt::MouseButton button);
    // Gives a category window its press and release handlers (done when it is first shown).
    void attachCategoryWindow(Form3& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // AutoHideHost over Form1
    int mainLeft() const override;
    int mainTop() const override;
    void setMainLeft(int twips) override;
    int screenWidth() const override;
    std::optional<QPoint> categoryWindowPos() const override;
    bool popupsShown() const override;
    void hidePopups() override;
    void hideAllWindows() override;
    void showMainWindow() override;
    void popUpOperationMenu(QPoint globalPos) override;

    void setSunken(Form3& window, int cell, bool sunken);

    Form1& form1_;
    AppState& state_;
    Desktop& desktop_;
    ClickSound sound_;
    std::unique_ptr<TileClicks> tiles_;
    std::unique_ptr<AutoHide> autoHide_;
};

} // namespace qbx
