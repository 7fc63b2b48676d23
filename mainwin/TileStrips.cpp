#include "TileStrips.h"

#include "ColumnDock.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "PopupController.h"
#include "core/Combinations.h"
#include "core/Launcher.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/PictureBox.h"
#include "ui/ProgramIcon.h"
#include "ui/Skin.h"
#include "ui/Twips.h"

#include <QCursor>

#include <algorithm>

namespace qbx {

using namespace form1;

namespace {

// What the pointer over a tile tells: the program it starts and how often it was started.
QString tileToolTip(const ProgramEntry& e)
{
    if (e.name.empty())
        return {};
    return shownTitle(e) + QStringLiteral("使用") +
           QString::number(std::max<qint64>(0, qint64{e.useCounter} - 1)) + QStringLiteral("次");
}

} // namespace

TileStrips::TileStrips(Launcher& launcher, const ColumnDock& dock, PopupController& popups, const Row& tiles,
                       const Row& icons, const Row& rightStrips, const Row& leftStrips)
    : launcher_(launcher), state_(launcher.state()), desktop_(launcher.desktop()), dock_(dock),
      popups_(popups), Picture1(tiles), Picture2(icons), Image2(rightStrips), Image3(leftStrips)
{}

QString TileStrips::label(int i)
{
    if (i >= 0 && i < kNamedMajors)
        return qs(majorNames()[static_cast<std::size_t>(i)]);
    return i == kNamedMajors ? QStringLiteral("程序组合") : QStringLiteral("预留");
}

void TileStrips::placeInitial()
{
    // A tile that fails to draw is logged and skipped; the next one is drawn.
    const bool room = Form2::kWidth + kPopupSideRoom - kSideStripWidth <= dock_.screenWidthTwips();
    // The flag tells which side the names stand on: with room the names are drawn on the left.
    popupOnRight_ = room;
    if (room) {
        for (int i = 0; i < kNamedMajors; ++i) {
            const auto at = static_cast<std::size_t>(i);
            guarded(lcWindows, "a tile", [&] {
                Image2[at]->hide();
                const ProgramEntry& e = state_.catalogue.at(i, 0, 0);
                if (!e.name.empty() && !e.exePath.empty())
                    drawProgramIcon(desktop_, e.exePath, shownTitle(e), *Picture2[at]);
                Picture1[at]->setToolTip(tileToolTip(e));
                qbx::showSkin(*Picture1[at], state_.appDir, kTileRestSkin);
                qbx::showSkin(*Image2[at], state_.appDir, kArrowRightSkin);
                qbx::showSkin(*Image3[at], state_.appDir, nameStripSkin(i, false));
            });
        }
    } else {
        // No icons are drawn here: the pop-up would open to the left of a window at the left edge.
        for (int i = 0; i < kTiles; ++i) {
            const auto at = static_cast<std::size_t>(i);
            guarded(lcWindows, "a tile", [&] {
                Image3[at]->hide();
                qbx::showSkin(*Picture1[at], state_.appDir, kTileRestSkin);
                qbx::showSkin(*Image3[at], state_.appDir, kArrowRightSkin);
                qbx::showSkin(*Image2[at], state_.appDir, nameStripSkin(i, false));
            });
        }
    }
    guarded(lcWindows, "the combinations' tile", [this] {
        Image2[5]->hide();
        drawCombinationIcon();
        qbx::showSkin(*Picture1[5], state_.appDir, kTileRestSkin);
        qbx::showSkin(*Image2[5], state_.appDir, kArrowRightSkin);
        qbx::showSkin(*Image3[5], state_.appDir, nameStripSkin(5, false));
    });
    guarded(lcWindows, "the reserved tile", [this] {
        Image2[6]->hide();
        qbx::showSkin(*Picture1[6], state_.appDir, kTileRestSkin);
        qbx::showSkin(*Image2[6], state_.appDir, kArrowRightSkin);
        qbx::showSkin(*Image3[6], state_.appDir, nameStripSkin(6, false));
    });
    nameStrips();
}

void TileStrips::drawIcon(int major)
{
    const auto at = static_cast<std::size_t>(major);
    Picture2[at]->clear();
    const ProgramEntry& e = state_.catalogue.at(major, 0, 0);
    if (!e.exePath.empty())
        drawProgramIcon(desktop_, e.exePath, shownTitle(e), *Picture2[at]);
    Picture1[at]->setToolTip(tileToolTip(e));
}

void TileStrips::drawCombinationIcon()
{
    PictureBox& box = *Picture2[5];
    box.clear();
    const ComboEntry& combo = state_.combos.at(0, 0);
    const std::string icon = comboIconPath(state_, combo);
    if (!icon.empty())
        drawProgramIcon(desktop_, icon, qs(combo.name), box);
}

void TileStrips::refreshIcons()
{
    for (int m = 0; m < kNamedMajors; ++m)
        guarded(lcWindows, "a tile icon", [&] { drawIcon(m); });
    guarded(lcWindows, "the combinations' tile icon", [this] { drawCombinationIcon(); });
}

void TileStrips::showSkin(int i, const QString& name)
{
    PictureBox& tile = *Picture1[static_cast<std::size_t>(i)];
    // A skin is read from disk when the look changes; the same look is not read again.
    if (tile.pictureName() != name || !tile.hasPicture())
        qbx::showSkin(tile, state_.appDir, name);
}

void TileStrips::showStrip(PictureBox& strip, const QString& skin)
{
    strip.show();
    if (strip.pictureName() != skin || !strip.hasPicture())
        qbx::showSkin(strip, state_.appDir, skin);
}

void TileStrips::nameStrips()
{
    for (int i = 0; i < kTiles; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const QString opens = QStringLiteral("打开 ") + label(i);
        Image2[at]->setAccessibleName(popupOnRight_ ? opens : label(i));
        Image3[at]->setAccessibleName(popupOnRight_ ? label(i) : opens);
    }
}

std::optional<QPoint> TileStrips::pointerOnArrowOf(int i) const
{
    const auto at = static_cast<std::size_t>(i);
    const PictureBox* arrow = popupOnRight_ ? Image2[at] : Image3[at];
    const QPoint inArrow = arrow->mapFromGlobal(pointerNow());
    if (!arrow->isVisible() || !arrow->rect().contains(inArrow))
        return std::nullopt;
    return pxPointToTwips(inArrow);
}

bool TileStrips::pointerOnArrow() const
{
    return pointerOnArrowOf(std::clamp<int>(state_.sel.hoverTile, 0, kTiles - 1)).has_value();
}

QPoint TileStrips::pointerNow() const
{
    return desktop_.cursorPos().value_or(QCursor::pos());
}

void TileStrips::hover(int i, int x, int y, bool popupFollows)
{
    if (x < 0 || y < 0 || x > kTileSize || y > kTileSize)
        leave(i, x, y);
    else
        enter(i, popupFollows);
}

void TileStrips::leave(int i, int x, int y)
{
    const auto at = static_cast<std::size_t>(i);
    if (litTile_ == i)
        litTile_ = -1;
    showSkin(i, kTileRestSkin);
    if (dock_.roomOnRight()) {
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

void TileStrips::enter(int i, bool popupFollows)
{
    const auto at = static_cast<std::size_t>(i);
    if (litTile_ >= 0 && litTile_ != i)
        leave(litTile_, -1, -1);
    litTile_ = i;
    showSkin(i, kTileLitSkin);
    const bool onRight = dock_.roomOnRight();
    const Row& arrows = onRight ? Image2 : Image3;
    const Row& names = onRight ? Image3 : Image2;
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
    popups_.hideForTile(popupFollows);
    for (int k = 0; k < kTiles; ++k)
        arrows[static_cast<std::size_t>(k)]->setVisible(k == i);
}

} // namespace qbx
