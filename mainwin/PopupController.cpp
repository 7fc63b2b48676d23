#include "PopupController.h"

#include "Form1Layout.h"
#include "Form2.h"
#include "TileStrips.h"
#include "catwin/Form3.h"
#include "core/Combinations.h"
#include "core/Launcher.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/EventLabel.h"
#include "ui/MainWindowLink.h"
#include "ui/PictureBox.h"
#include "ui/PopupColumns.h"
#include "ui/ProgramIcon.h"
#include "ui/TwipPlace.h"
#include "ui/Twips.h"

#include <QEvent>

#include <algorithm>

namespace qbx {

using namespace form1;

PopupController::PopupController(Launcher& launcher, MainWindowLink& column, const TwipPlace& columnPlace,
                                 QObject* parent)
    : QObject(parent), launcher_(launcher), state_(launcher.state()), desktop_(launcher.desktop()),
      column_(column), columnPlace_(columnPlace)
{}

PopupController::~PopupController()
{
    // The two windows refer to the column: they go with it, not later.
    delete form3_.release();
    delete form2_.release();
}

Form2& PopupController::form2()
{
    if (!form2_) {
        form2_.reset(new Form2(launcher_, column_));
        form2_->moveTwips(lastPopupGeometry_.left(), lastPopupGeometry_.top());
        connect(form2_.get(), &Form2::unloadRequested, this, &PopupController::unloadPopup);
        connect(form2_.get(), &Form2::columnOpened, this,
                [this](int k, const QString& caption) { form3().openAndFill(k, caption); });
        form2_->installEventFilter(this);
    }
    return *form2_;
}

Form3& PopupController::form3()
{
    if (!form3_) {
        form3_.reset(new Form3(launcher_, column_));
        connect(form3_.get(), &Form3::iconPressed, this, &PopupController::categoryIconPressed);
        connect(form3_.get(), &Form3::iconReleased, this, &PopupController::categoryIconReleased);
        form3_->installEventFilter(this);
    }
    return *form3_;
}

bool PopupController::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && (watched == form2_.get() || watched == form3_.get()))
        emit windowShown();
    return QObject::eventFilter(watched, event);
}

QRect PopupController::popupTwipGeometry() const
{
    return form2_ ? form2_->twipGeometry() : lastPopupGeometry_;
}

void PopupController::keepFloatingAbove()
{
    if (form2_ && form2_->isVisible())
        form2_->raise();
    if (form3_ && form3_->isVisible())
        form3_->raise();
}

void PopupController::hideForTile(bool keepPopup)
{
    if (form2_ && !keepPopup)
        form2_->hide();
    if (form3_)
        form3_->hide();
}

void PopupController::unloadPopup()
{
    if (!form2_)
        return;
    lastPopupGeometry_ = form2_->twipGeometry();
    form2_->hide();
    form2_.reset();
}

void PopupController::closeAll()
{
    if (form3_) {
        form3_->hide();
        form3_.reset();
    }
    unloadPopup();
}

int PopupController::categorySlot(int cell) const
{
    return form3_ ? form3_->slotOfCell(cell) : cell;
}

std::optional<QPoint> PopupController::categoryWindowPos() const
{
    if (form3_)
        return QPoint(form3_->leftTwips(), form3_->topTwips());
    return std::nullopt;
}

bool PopupController::shown() const
{
    return (form2_ && form2_->isVisible()) || (form3_ && form3_->isVisible());
}

void PopupController::open(bool onRight)
{
    Form2& popup = form2();
    const auto hover = static_cast<std::size_t>(std::clamp<int>(state_.sel.hoverTile, 0, kTiles - 1));
    // The drop is chosen from where the pop-up stood before (its current top).
    const QRect screen = column_.columnScreen();
    const int bottom = pxToTwips(screen.y() + screen.height());
    const int drop = bottom - popup.topTwips() >= Form3::kHeight ? kPopupDropDown : kPopupDropUp;
    const int left = columnPlace_.left();
    const int top = columnPlace_.top();
    if (onRight)
        popup.moveTwips(kTileLeft + left + kTileSize, kStripTop[hover] + top + drop);
    else
        popup.moveTwips(left - kPopupLeftOffset, tileTop(static_cast<int>(hover)) + top + drop);
    popup.setWindowTitle(TileStrips::label(state_.sel.curMajor));
    popup.show();
    fill(!onRight);
}

void PopupController::fill(bool mirrored)
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
