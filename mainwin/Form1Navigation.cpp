// The main window's navigation: tiles light under the pointer, the strips show an arrow on the
// side the pop-up opens to, and moving on to the arrow opens the pop-up beside the tile.

#include "Form1.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "catwin/Form3.h"
#include "core/Launcher.h"
#include "platform/Logging.h"
#include "store/AppState.h"
#include "ui/PictureBox.h"
#include "ui/Skin.h"
#include "ui/Twips.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>

namespace qbx {

using namespace form1;

bool Form1::roomOnRight()
{
    return Form2::kWidth - kSideStripWidth + kPopupSideRoom <= screenWidthTwips() - placeOnScreen().x();
}

void Form1::SnapToEdges(bool leftTestFirst)
{
    const auto leftTest = [this] {
        if (const QPoint at = placeOnScreen(); at.x() < 0)
            moveOnScreen(QPoint(0, at.y()));
    };
    const auto rightTest = [this] {
        const int width = screenWidthTwips();
        if (const QPoint at = placeOnScreen(); at.x() > width - kSnapZone)
            moveOnScreen(QPoint(width - kOuterWidth, at.y()));
    };
    if (leftTestFirst) {
        leftTest();
        rightTest();
    } else {
        rightTest();
        leftTest();
    }
}

void Form1::Form_MouseMove()
{
    guarded(lcWindows, "Form_MouseMove", [this] { SnapToEdges(true); });
}

void Form1::showTileSkin(int i, const QString& name)
{
    PictureBox& tile = *Picture1[static_cast<std::size_t>(i)];
    // A skin is read from disk when the look changes; the same look is not read again.
    if (tile.pictureName() != name || !tile.hasPicture())
        showSkin(tile, state_.appDir, name);
}

void Form1::showStrip(PictureBox& strip, const QString& skin)
{
    strip.show();
    if (strip.pictureName() != skin || !strip.hasPicture())
        showSkin(strip, state_.appDir, skin);
}

void Form1::nameStrips()
{
    for (int i = 0; i < kTiles; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const QString opens = QStringLiteral("打开 ") + tileLabel(i);
        Image2[at]->setAccessibleName(popupOnRight_ ? opens : tileLabel(i));
        Image3[at]->setAccessibleName(popupOnRight_ ? tileLabel(i) : opens);
    }
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
    const auto at = static_cast<std::size_t>(i);
    if (buttons != Qt::NoButton)
        return;
    PictureBox* arrow = popupOnRight_ ? Image2[at] : Image3[at];
    const QPoint inArrow = arrow->mapFromGlobal(pointerNow());
    if (!arrow->isVisible() || !arrow->rect().contains(inArrow))
        return;
    const QPoint twips = pxPointToTwips(inArrow);
    if (popupOnRight_)
        Image2_MouseMove(i, buttons, twips.x(), twips.y());
    else
        Image3_MouseMove(i, buttons, twips.x(), twips.y());
}

bool Form1::pointerOnArrow() const
{
    const auto at = static_cast<std::size_t>(std::clamp<int>(state_.sel.hoverTile, 0, kTiles - 1));
    const PictureBox* arrow = popupOnRight_ ? Image2[at] : Image3[at];
    return arrow->isVisible() && arrow->rect().contains(arrow->mapFromGlobal(pointerNow()));
}

QPoint Form1::pointerNow() const
{
    return desktop_.cursorPos().value_or(QCursor::pos());
}

void Form1::pointerLeft(int i, bool fromTile)
{
    // The lit tile dims once the pointer is neither on it nor on its arrow strip. The tile holds
    // no grab: the toolkit's leave notices stand for the moves a grab would have caught, and a
    // menu or window opening over the tile takes the pointer from it like any other window.
    if (i != litTile_)
        return;
    guarded(lcWindows, "pointerLeft", [&] {
        const auto at = static_cast<std::size_t>(i);
        const QPoint inTile = Picture1[at]->mapFromGlobal(pointerNow());
        const bool overTile = Picture1[at]->rect().contains(inTile);
        if (!fromTile && overTile)
            return; // from the arrow back on to the tile, which stays lit
        QPoint twips = pxPointToTwips(inTile);
        // Still over the tile, but covered by another window: left as through the top edge,
        // which takes the arrow too.
        if (overTile)
            twips.setY(-1);
        leaveTile(i, twips.x(), twips.y());
        if (fromTile)
            handOnToArrow(i, QGuiApplication::mouseButtons());
    });
}

void Form1::tileHover(int i, Qt::MouseButtons buttons, int x, int y, bool popupFollows)
{
    if (buttons != Qt::NoButton)
        return;
    if (x < 0 || y < 0 || x > kTileSize || y > kTileSize)
        leaveTile(i, x, y);
    else
        enterTile(i, popupFollows);
}

void Form1::leaveTile(int i, int x, int y)
{
    const auto at = static_cast<std::size_t>(i);
    if (litTile_ == i)
        litTile_ = -1;
    showTileSkin(i, kTileRestSkin);
    if (roomOnRight()) {
        if (!popupOnRight_) {
            popupOnRight_ = true;
            nameStrips();
        }
        // Leaving through the right edge keeps the arrow, so the pointer can move on to it.
        if (x < 0 || y < 0 || y > kTileSize)
            Image2[at]->hide();
        showStrip(*Image3[at], nameStripSkin(i, false));
    } else {
        if (x > kTileSize || y < 0 || y > kTileSize)
            Image3[at]->hide();
        showStrip(*Image2[at], nameStripSkin(i, false));
    }
}

void Form1::enterTile(int i, bool popupFollows)
{
    const auto at = static_cast<std::size_t>(i);
    if (litTile_ >= 0 && litTile_ != i)
        leaveTile(litTile_, -1, -1);
    litTile_ = i;
    showTileSkin(i, kTileLitSkin);
    const bool onRight = roomOnRight();
    auto& arrows = onRight ? Image2 : Image3;
    auto& names = onRight ? Image3 : Image2;
    if (popupOnRight_ != onRight) {
        for (int k = 0; k < kTiles; ++k)
            showStrip(*names[static_cast<std::size_t>(k)], nameStripSkin(k, false));
        popupOnRight_ = onRight;
        nameStrips();
    }
    showStrip(*arrows[at], onRight ? kArrowRightSkin : kArrowLeftSkin);
    showStrip(*names[at], nameStripSkin(i, true));
    launcher_.hoverTile(i);
    // On the arrow the pop-up opens again at once: it is not hidden first, since unmapping and
    // mapping it within one event leaves the toolkit believing it stands at the screen's corner.
    if (form2_ && !popupFollows)
        form2_->hide();
    if (form3_)
        form3_->hide();
    for (int k = 0; k < kTiles; ++k)
        arrows[static_cast<std::size_t>(k)]->setVisible(k == i);
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
        openPopup(true);
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
        openPopup(false);
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
