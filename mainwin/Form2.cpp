#include "Form2.h"

#include "core/Launcher.h"
#include "platform/Logging.h"
#include "ui/Colours.h"
#include "ui/EventLabel.h"
#include "ui/IconCell.h"
#include "ui/MainWindowLink.h"
#include "ui/PictureBox.h"
#include "ui/PopupColumns.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QMouseEvent>

namespace qbx {

Form2::Form2(Launcher& launcher, MainWindowLink& mainWindow, QWidget* parent)
    : QWidget(parent), launcher_(launcher), mainWindow_(mainWindow),
      place_(*this, TwipPlace::AfterShow::AskAgain)
{
    setObjectName(QStringLiteral("Form2"));
    setFixedSize(twipSize(kWidth, kHeight));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bgrColour(kOverlayNormal));
    setPalette(pal);

    for (int k = 0; k < kColumns; ++k) {
        auto* overlay = addCellOverlay(this, QRect(kCellWidth * k, 0, kCellWidth, kHeight), songTiFont(true));
        // The names stand light on the blue column from the start, as after the first hover.
        overlay->setTextColour(kCaptionText);
        Label1[static_cast<std::size_t>(k)] = overlay;
        connect(overlay, &EventLabel::mouseMoved, this,
                [this, k](QPoint, Qt::MouseButtons) { Label1_MouseMove(k); });
    }
    for (int k = 0; k < kColumns; ++k) {
        auto* icon = addCellIcon(this, kCellWidth * k, 0);
        Picture1[static_cast<std::size_t>(k)] = icon;
        connect(icon, &PictureBox::mouseMoved, this,
                [this, k](QPoint, Qt::MouseButtons) { Picture1_MouseMove(k); });

        auto* caption = addCellCaption(this, kCellWidth * k, 0, songTiFont());
        caption->setTextColour(kCaptionText);
        caption->setAttribute(Qt::WA_TransparentForMouseEvents); // the caption strip has no handler
        Label2[static_cast<std::size_t>(k)] = caption;
    }
    Form_Load();
}

void Form2::Form_Load()
{
    makeTopmostTool(*this, false);
}

QRect Form2::twipGeometry() const
{
    return QRect(leftTwips(), topTwips(), kWidth, kHeight);
}

void Form2::columnHover(int k)
{
    if (mainWindow_.pointerOnArrow())
        return; // the pointer is still on the main window's arrow, which this column covers
    // A failing step leaves the windows as far as they got.
    guarded(lcWindows, "Form2::columnHover", [&] {
        launcher_.openColumn(k, popupMinor(k, mainWindow_.roomOnRight()));
        emit columnOpened(k, Label1[static_cast<std::size_t>(k)]->text());
        repaintOverlays();
    });
}

void Form2::Label1_MouseMove(int k)
{
    columnHover(k);
}

void Form2::Picture1_MouseMove(int k)
{
    if (mainWindow_.pointerOnArrow())
        return;
    launcher_.setPopupActive(true);
    columnHover(k);
}

void Form2::repaintOverlays()
{
    for (EventLabel* overlay : Label1)
        overlay->setColours(kOverlayNormal, kCaptionText);
}

void Form2::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    emit unloadRequested();
}

} // namespace qbx
