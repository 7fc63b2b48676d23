// The main window's navigation: tiles light under the pointer, the strips show an arrow on the
// side the pop-up opens to, and moving on to the arrow opens the pop-up beside the tile.

#include "AppState.h"
#include "Desktop.h"
#include "EventLabel.h"
#include "Form1.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "Form3.h"
#include "PictureBox.h"
#include "ProgramIcon.h"
#include "Skin.h"
#include "Store.h"
#include "Text.h"

namespace qbx {

using namespace form1;

namespace {
const QString kTileLit = QStringLiteral("pnl12.jpg");
const QString kTileRest = QStringLiteral("pnl11.jpg");
const QString kArrowRight = QStringLiteral("pnl21.jpg");
const QString kArrowLeft = QStringLiteral("pnl22.jpg");
} // namespace

bool Form1::roomOnRight()
{
    return Form2::kWidth - kSideStripWidth + kPopupSideRoom <= screenWidthTwips() - leftTwips();
}

void Form1::SnapToEdges(bool leftTestFirst)
{
    const auto leftTest = [this] {
        if (leftTwips() < 0)
            moveTwips(0, topTwips());
    };
    const auto rightTest = [this] {
        const int width = screenWidthTwips();
        if (leftTwips() > width - kSnapZone)
            moveTwips(width - kOuterWidth, topTwips());
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
    try {
        SnapToEdges(true);
    } catch (...) {
    }
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

void Form1::Picture1_MouseMove(int i, Qt::MouseButtons buttons, int x, int y)
{
    try {
        tileHover(i, buttons, x, y);
    } catch (...) {
    }
}

void Form1::tileHover(int i, Qt::MouseButtons buttons, int x, int y)
{
    if (buttons != Qt::NoButton)
        return;
    if (x < 0 || y < 0 || x > kTileSize || y > kTileSize)
        leaveTile(i, x, y);
    else
        enterTile(i);
}

void Form1::leaveTile(int i, int x, int y)
{
    const auto at = static_cast<std::size_t>(i);
    PictureBox& tile = *Picture1[at];
    if (QWidget::mouseGrabber() == &tile)
        tile.releaseMouse();
    showTileSkin(i, kTileRest);
    if (roomOnRight()) {
        popupOnRight_ = true;
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

void Form1::enterTile(int i)
{
    const auto at = static_cast<std::size_t>(i);
    PictureBox& tile = *Picture1[at];
    if (QWidget::mouseGrabber() != &tile)
        tile.grabMouse();
    showTileSkin(i, kTileLit);
    const bool onRight = roomOnRight();
    auto& arrows = onRight ? Image2 : Image3;
    auto& names = onRight ? Image3 : Image2;
    if (popupOnRight_ != onRight) {
        for (int k = 0; k < kTiles; ++k)
            showStrip(*names[static_cast<std::size_t>(k)], nameStripSkin(k, false));
        popupOnRight_ = onRight;
    }
    showStrip(*arrows[at], onRight ? kArrowRight : kArrowLeft);
    showStrip(*names[at], nameStripSkin(i, true));
    state_.sel.hoverTile = static_cast<std::int16_t>(i);
    if (form2_)
        form2_->hide();
    if (form3_)
        form3_->hide();
    for (int k = 0; k < kTiles; ++k)
        arrows[static_cast<std::size_t>(k)]->setVisible(k == i);
}

void Form1::Image2_MouseMove(int i, Qt::MouseButtons buttons, int x, int y)
{
    try {
        SnapToEdges(false);
        if (!roomOnRight())
            return;
        state_.sel.curMajor = static_cast<std::int16_t>(i);
        tileHover(i, buttons, x, y);
        if (!roomOnRight())
            return;
        openPopup(true);
    } catch (...) {
    }
}

void Form1::Image3_MouseMove(int i, Qt::MouseButtons buttons, int x, int y)
{
    try {
        SnapToEdges(false);
        if (roomOnRight())
            return;
        state_.sel.curMajor = static_cast<std::int16_t>(i);
        tileHover(i, buttons, x, y);
        openPopup(false);
    } catch (...) {
    }
}

void Form1::openPopup(bool onRight)
{
    Form2& popup = form2();
    const auto hover = static_cast<std::size_t>(std::clamp<int>(state_.sel.hoverTile, 0, kTiles - 1));
    // The drop is chosen from where the pop-up stood before (its current top).
    const int drop = screenHeightTwips() - popup.topTwips() >= Form3::kHeight ? kPopupDropDown : kPopupDropUp;
    if (onRight) {
        popup.moveTwips(kTileLeft + leftTwips() + kTileSize, kStripTop[hover] + topTwips() + drop);
    } else {
        popup.moveTwips(leftTwips() - kPopupLeftOffset, tileTop(static_cast<int>(hover)) + topTwips() + drop);
    }
    popup.show();
    fillPopup(!onRight);
}

void Form1::fillPopup(bool mirrored)
{
    Form2& popup = form2();
    const int m = state_.sel.curMajor;
    for (int k = 0; k < Form2::kColumns; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const int e = mirrored ? Form2::kColumns - 1 - k : k;
        PictureBox& icon = *popup.Picture1[at];
        EventLabel& name = *popup.Label1[at];
        EventLabel& title = *popup.Label2[at];
        if (m >= 0 && m < kNamedMajors) {
            state_.sel.curMinor = static_cast<std::int16_t>(e);
            icon.clear();
            const ProgramEntry& first = state_.catalogue.at(m, e, 0);
            if (!first.exePath.empty()) {
                drawProgramIcon(desktop_, first.exePath, icon);
                name.setText(qs(first.minorName));
                title.setText(qs(first.title.empty() ? first.name : first.title));
            } else {
                // An empty minor category shows the name whose programs would stand here.
                for (int n = 0; n < kMinors; ++n) {
                    const MinorName& mn = state_.minorNames.at(m, n);
                    if (mn.slotMap == e) {
                        name.setText(qs(mn.name));
                        break;
                    }
                }
                title.setText(QString());
            }
        } else if (m == kNamedMajors) {
            if (mirrored)
                state_.sel.curMinor = static_cast<std::int16_t>(e);
            icon.clear();
            const ComboEntry& combo = state_.combos.at(e, 0);
            if (combo.programs[0] > 0) {
                const ProgramEntry member = readProgramRecord(state_, combo.programs[0]);
                if (member.major >= 0 && member.major < kMajors && member.minor >= 0 && member.minor < kMinors
                    && member.slot >= 0 && member.slot < kSlots) {
                    const ProgramEntry& filed = state_.catalogue.at(member.major, member.minor, member.slot);
                    if (!filed.exePath.empty())
                        drawProgramIcon(desktop_, filed.exePath, icon);
                }
            }
            name.setText(qs(combo.groupName));
            title.setText(qs(combo.name));
        } else {
            icon.clear();
            name.setText(QString());
            title.setText(QString());
        }
    }
}

void Form1::Picture1_MouseDown(int i, Qt::MouseButton button)
{
    try {
        if (onPicture1MouseDown)
            onPicture1MouseDown(i, button);
    } catch (...) {
    }
}

void Form1::Picture1_MouseUp(int i, Qt::MouseButton button)
{
    try {
        if (onPicture1MouseUp)
            onPicture1MouseUp(i, button);
    } catch (...) {
    }
}

} // namespace qbx
