// The main window's pop-up and category window: loaded on first use, placed beside the tile,
// filled, and unloaded.

#include "Form1.h"

#include "Form1Layout.h"
#include "Form2.h"
#include "catwin/Form3.h"
#include "core/Combinations.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/EventLabel.h"
#include "ui/PictureBox.h"
#include "ui/PopupColumns.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"

#include <algorithm>

namespace qbx {

using namespace form1;

Form2& Form1::form2()
{
    if (!form2_) {
        form2_.reset(new Form2(launcher_, *this));
        form2_->moveTwips(lastPopupGeometry_.left(), lastPopupGeometry_.top());
        connect(form2_.get(), &Form2::unloadRequested, this, &Form1::unloadPopup);
        connect(form2_.get(), &Form2::columnOpened, this,
                [this](int k, const QString& caption) { form3().openAndFill(k, caption); });
        form2_->installEventFilter(this);
    }
    return *form2_;
}

Form3& Form1::form3()
{
    if (!form3_) {
        form3_.reset(new Form3(launcher_, *this));
        connect(form3_.get(), &Form3::iconPressed, this, &Form1::categoryIconPressed);
        connect(form3_.get(), &Form3::iconReleased, this, &Form1::categoryIconReleased);
        form3_->installEventFilter(this);
    }
    return *form3_;
}

QRect Form1::popupTwipGeometry()
{
    return form2_ ? form2_->twipGeometry() : lastPopupGeometry_;
}

void Form1::keepFloatingAbove()
{
    if (form2_ && form2_->isVisible())
        form2_->raise();
    if (form3_ && form3_->isVisible())
        form3_->raise();
}

void Form1::unloadPopup()
{
    if (!form2_)
        return;
    lastPopupGeometry_ = form2_->twipGeometry();
    form2_->hide();
    form2_.reset();
}

void Form1::closePopups()
{
    if (form3_) {
        form3_->hide();
        form3_.reset();
    }
    unloadPopup();
}

int Form1::categorySlot(int cell) const
{
    return form3_ ? form3_->slotOfCell(cell) : cell;
}

void Form1::openPopup(bool onRight)
{
    Form2& popup = form2();
    const auto hover = static_cast<std::size_t>(std::clamp<int>(state_.sel.hoverTile, 0, kTiles - 1));
    // The drop is chosen from where the pop-up stood before (its current top).
    const QRect screen = columnScreen();
    const int bottom = pxToTwips(screen.y() + screen.height());
    const int drop = bottom - popup.topTwips() >= Form3::kHeight ? kPopupDropDown : kPopupDropUp;
    if (onRight) {
        popup.moveTwips(kTileLeft + leftTwips() + kTileSize, kStripTop[hover] + topTwips() + drop);
    } else {
        popup.moveTwips(leftTwips() - kPopupLeftOffset, tileTop(static_cast<int>(hover)) + topTwips() + drop);
    }
    popup.setWindowTitle(tileLabel(state_.sel.curMajor));
    popup.show();
    fillPopup(!onRight);
}

void Form1::fillPopup(bool mirrored)
{
    Form2& popup = form2();
    const int m = state_.sel.curMajor;
    for (int k = 0; k < Form2::kColumns; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const int e = popupMinor(k, !mirrored);
        PictureBox& icon = *popup.Picture1[at];
        EventLabel& name = *popup.Label1[at];
        EventLabel& title = *popup.Label2[at];
        if (m >= 0 && m < kNamedMajors) {
            icon.clear();
            const ProgramEntry& first = state_.catalogue.at(m, e, 0);
            if (!first.exePath.empty()) {
                drawProgramIcon(desktop_, first.exePath, shownTitle(first), icon);
                name.setText(qs(first.minorName));
                title.setText(shownTitle(first));
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
        } else if (m == kComboMajor) {
            icon.clear();
            const ComboEntry& combo = state_.combos.at(e, 0);
            if (const std::string path = comboIconPath(state_, combo); !path.empty())
                drawProgramIcon(desktop_, path, qs(combo.name), icon);
            name.setText(qs(combo.groupName));
            title.setText(qs(combo.name));
        } else {
            icon.clear();
            name.setText(QString());
            title.setText(QString());
        }
    }
}

} // namespace qbx
