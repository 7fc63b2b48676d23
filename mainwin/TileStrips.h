#pragma once
// The main window's seven tiles and the strips beside them: the tiles' skins (at rest, lit under
// the pointer, pressed) and icons (the favourite of a category, the first combination), and the
// two strips of each tile: the arrow on the side the pop-up opens to, the category's name on the
// other. The window owns the controls (Picture1, Picture2, Image2, Image3); this part decides
// what they show.

#include <QPoint>
#include <QString>

#include <array>
#include <optional>

namespace qbx {

struct AppState;
class ColumnDock;
class Desktop;
class Launcher;
class PictureBox;
class PopupController;

class TileStrips {
public:
    static constexpr int kTiles = 7;
    using Row = std::array<PictureBox*, kTiles>;

    // `tiles`, `icons`, `rightStrips`, `leftStrips`: the window's controls, filled in by the time
    // anything here is called.
    TileStrips(Launcher& launcher, const ColumnDock& dock, PopupController& popups, const Row& tiles,
               const Row& icons, const Row& rightStrips, const Row& leftStrips);

    // What tile i shows a person: its category's name, "程序组合" or "预留".
    static QString label(int i);

    // Skins, icons and strips as the window opens; the names stand on the side away from the
    // pop-up, which opens to the right when the screen has room for it.
    void placeInitial();
    // Redraws the icons of tiles 0-5 from the catalogue and the combinations.
    void refreshIcons();
    // Shows AppDir/skin/<name> on tile i.
    void showSkin(int i, const QString& name);

    // The pointer at (x, y) twips of tile i with no button held: inside it lights the tile and
    // shows its arrow (the pop-up stays shown when `popupFollows`), outside it dims the tile.
    void hover(int i, int x, int y, bool popupFollows = false);
    // Tile i dims; leaving through the side the pop-up opens to keeps its arrow.
    void leave(int i, int x, int y);

    // Which side the pop-up opens to, as the strips show it.
    bool popupOnRight() const { return popupOnRight_; }
    // The tile lit under the pointer, -1 when none.
    int litTile() const { return litTile_; }
    // Where the pointer is on tile i's shown arrow, in twips of the arrow; nothing when it is not
    // on it.
    std::optional<QPoint> pointerOnArrowOf(int i) const;
    // Whether the pointer is on the arrow of the tile last hovered.
    bool pointerOnArrow() const;
    QPoint pointerNow() const;

private:
    void enter(int i, bool popupFollows);
    void showStrip(PictureBox& strip, const QString& skin);
    // Names the strips after what they show on the pop-up's side: "打开 办公" for the arrow
    // strip, "办公" for the name strip.
    void nameStrips();
    void drawIcon(int major);
    void drawCombinationIcon();

    Launcher& launcher_;
    const AppState& state_;
    Desktop& desktop_;
    const ColumnDock& dock_;
    PopupController& popups_;
    const Row& Picture1;
    const Row& Picture2;
    const Row& Image2;
    const Row& Image3;
    bool popupOnRight_ = false;
    int litTile_ = -1;
};

} // namespace qbx
