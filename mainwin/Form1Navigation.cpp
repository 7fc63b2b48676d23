// The main window's navigation: tiles light under the pointer, the strips show an arrow on the
// side the pop-up opens to, and moving on to the arrow opens the pop-up beside the tile. What
// the tiles and strips show is TileStrips's; these are the window's handlers of the pointer.

#include "Form1.h"
#include "Form1Layout.h"
#include "core/Launcher.h"
#include "platform/Logging.h"
#include "store/AppState.h"
#include "ui/PictureBox.h"
#include "ui/Skin.h"
#include "ui/Twips.h"

#include <QGuiApplication>

namespace qbx {

using namespace form1;

void Form1::Form_MouseMove()
{
    guarded(lcWindows, "Form_MouseMove", [this] { SnapToEdges(true); });
}

void Form1::showTileSkin(int i, const QString& name)
{
    tiles_.showSkin(i, name);
}

void Form1::Picture1_MouseMove(int i, Qt::MouseButtons buttons, int x, int y)
{
    guarded(lcWindows, "Picture1_MouseMove", [&] {
        tileHover(i, buttons, x, y);
        if (x < 0 || y < 0 || x > kTileSize || y > kTileSize)
            handOnToArrow(i, buttons);
    });
}

void Form1::handOnToArrow(int i, Qt::MouseButtons buttons)
{
    // The pointer has left the tile: when it already rests on the shown arrow (a quick flick, or
    // moves merged while the program was busy), the arrow takes it at once rather than waiting
    // for a move of its own that may not come.
    if (buttons != Qt::NoButton)
        return;
    const std::optional<QPoint> twips = tiles_.pointerOnArrowOf(i);
    if (!twips)
        return;
    if (tiles_.popupOnRight())
        Image2_MouseMove(i, buttons, twips->x(), twips->y());
    else
        Image3_MouseMove(i, buttons, twips->x(), twips->y());
}

bool Form1::pointerOnArrow() const
{
    return tiles_.pointerOnArrow();
}

void Form1::pointerLeft(int i, bool fromTile)
{
    // The lit tile dims once the pointer is neither on it nor on its arrow strip. The tile holds
    // no grab: the toolkit's leave notices stand for the moves a grab would have caught, and a
    // menu or window opening over the tile takes the pointer from it like any other window.
    if (i != tiles_.litTile())
        return;
    guarded(lcWindows, "pointerLeft", [&] {
        const auto at = static_cast<std::size_t>(i);
        const QPoint inTile = Picture1[at]->mapFromGlobal(tiles_.pointerNow());
        const bool overTile = Picture1[at]->rect().contains(inTile);
        if (!fromTile && overTile)
            return; // from the arrow back on to the tile, which stays lit
        QPoint twips = pxPointToTwips(inTile);
        // Still over the tile, but covered by another window: left as through the top edge,
        // which takes the arrow too.
        if (overTile)
            twips.setY(-1);
        tiles_.leave(i, twips.x(), twips.y());
        if (fromTile)
            handOnToArrow(i, QGuiApplication::mouseButtons());
    });
}

void Form1::tileHover(int i, Qt::MouseButtons buttons, int x, int y, bool popupFollows)
{
    if (buttons != Qt::NoButton)
        return;
    tiles_.hover(i, x, y, popupFollows);
}

void Form1::Image2_MouseMove(int i, Qt::MouseButtons buttons, int x, int y)
{
    guarded(lcWindows, "Image2_MouseMove", [&] {
        SnapToEdges(false);
        if (!roomOnRight())
            return;
        launcher_.selectMajor(i);
        tileHover(i, buttons, x, y, true);
        if (!roomOnRight())
            return;
        popups_.open(true);
    });
}

void Form1::Image3_MouseMove(int i, Qt::MouseButtons buttons, int x, int y)
{
    guarded(lcWindows, "Image3_MouseMove", [&] {
        SnapToEdges(false);
        if (roomOnRight())
            return;
        launcher_.selectMajor(i);
        tileHover(i, buttons, x, y, true);
        popups_.open(false);
    });
}

void Form1::Picture1_MouseDown(int i, Qt::MouseButton button)
{
    emit tilePressed(i, button);
    showTileSkin(i, kTilePressedSkin);
    keepFloatingAbove();
}

void Form1::Picture1_MouseUp(int i, Qt::MouseButton button)
{
    if (i < 0 || i >= kTiles)
        return;
    // A left release on a tile without programs, or on the combination tile while the most used
    // combination has no first member, keeps the pressed look until the pointer moves.
    const bool nothingThere = i < kNamedMajors ? state_.catalogue.at(i, 0, 0).exePath.empty()
                                               : i == kComboMajor && state_.combos.at(0, 0).programs[0] < 1;
    emit tileReleased(i, button);
    if (button == Qt::LeftButton && nothingThere)
        return;
    showTileSkin(i, kTileRestSkin);
}

} // namespace qbx
