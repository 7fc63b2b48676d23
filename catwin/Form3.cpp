#include "Form3.h"

#include "core/Combinations.h"
#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "ui/Colours.h"
#include "ui/EventLabel.h"
#include "ui/IconCell.h"
#include "ui/MainWindowLink.h"
#include "ui/PictureBox.h"
#include "ui/PopupColumns.h"
#include "ui/ProgramIcon.h"
#include "ui/Twips.h"
#include "ui/Windows.h"

#include <QFrame>

namespace qbx {

namespace {

constexpr const char* kSunkenLookName = "pressed-look";

// The cells stand one below the other, 960 twips apart.
constexpr int kCellHeight = 960;
// The upward window's bottom stands this far below the pop-up's top.
constexpr int kUpwardBottom = 985;

bool namedMajor(int major)
{
    return major >= 0 && major < kNamedMajors;
}
bool validMinor(int minor)
{
    return minor >= 0 && minor < kMinors;
}

} // namespace

Form3::Form3(Launcher& launcher, MainWindowLink& mainWindow, QWidget* parent)
    : QWidget(parent), launcher_(launcher), state_(launcher.state()), desktop_(launcher.desktop()),
      mainWindow_(mainWindow), place_(*this, TwipPlace::AfterShow::AskAgain)
{
    setObjectName(QStringLiteral("Form3"));
    setFixedSize(twipSize(kWidth, kHeight));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bgrColour(kOverlayDesigned));
    setPalette(pal);

    const QFont font = songTiFont();
    for (int n = 0; n < kCells; ++n) {
        Label1[static_cast<std::size_t>(n)] =
            addCellOverlay(this, QRect(0, kCellHeight * n, kCellWidth, kCellHeight), font);
        Label1[static_cast<std::size_t>(n)]->setObjectName(QStringLiteral("Label1_%1").arg(n));
    }
    for (int n = 0; n < kCells; ++n) {
        auto* icon = addCellIcon(this, 0, kCellHeight * n);
        Picture1[static_cast<std::size_t>(n)] = icon;
        icon->setObjectName(QStringLiteral("Picture1_%1").arg(n));

        auto* caption = addCellCaption(this, 0, kCellHeight * n, font);
        caption->setColours(kOverlayDesigned, kWindowText);
        Label2[static_cast<std::size_t>(n)] = caption;
        caption->setObjectName(QStringLiteral("Label2_%1").arg(n));

        connect(icon, &PictureBox::mouseMoved, this,
                [this, n](QPoint, Qt::MouseButtons) { Picture1_MouseMove(n); });
        connect(icon, &PictureBox::mousePressed, this,
                [this, n](Qt::MouseButton b, QPoint) { Picture1_MouseDown(n, b); });
        connect(icon, &PictureBox::mouseReleased, this,
                [this, n](Qt::MouseButton b, QPoint) { Picture1_MouseUp(n, b); });
        connect(Label1[static_cast<std::size_t>(n)], &EventLabel::mouseMoved, this,
                [this, n](QPoint, Qt::MouseButtons) { Label1_MouseMove(n); });
        connect(caption, &EventLabel::mouseMoved, this,
                [this, n](QPoint, Qt::MouseButtons) { Label2_MouseMove(n); });
    }
    Form_Load();
}

void Form3::Form_Load()
{
    makeTopmostTool(*this, false);
}

bool Form3::opensDownward() const
{
    // Measured against the bottom of the column's screen, which the pop-up opens on.
    const QRect screen = mainWindow_.columnScreen();
    return pxToTwips(screen.y() + screen.height()) - mainWindow_.popupTwipGeometry().top() >= kHeight;
}

int Form3::slotOfCell(int n) const
{
    return opensDownward() ? n : kCells - 1 - n;
}

int Form3::anchorCell() const
{
    return opensDownward() ? 0 : kCells - 1;
}

void Form3::openAndFill(int k, const QString& columnCaption)
{
    // A failing step leaves the window as far as it got.
    guarded(lcWindows, "Form3::openAndFill", [&] {
        launcher_.openColumn(k, popupMinor(k, mainWindow_.roomOnRight()));
        place(k);
        setWindowTitle(columnCaption);
        show();
        // The pop-up repaints its own overlays once this returns.
        const int major = state_.sel.curMajor;
        if (namedMajor(major))
            fillCatalogue(columnCaption);
        else if (major == kComboMajor)
            fillCombinations();
        // The reserved seventh category leaves the cells as they are.
    });
}

void Form3::place(int k)
{
    const QRect popup = mainWindow_.popupTwipGeometry();
    const int columnLeft = kCellWidth * k; // the pop-up's overlay Label1(k): left 900 k, top 0
    const int left = popup.left() + columnLeft;
    const int top = opensDownward() ? popup.top() : popup.top() - kHeight + kUpwardBottom;
    place_.move(left, top);
}

void Form3::fillCatalogue(const QString& columnCaption)
{
    const int major = state_.sel.curMajor;
    const int minor = state_.sel.curMinor;
    if (!validMinor(minor))
        return;
    const int anchor = anchorCell();
    const bool downward = opensDownward();
    for (int n = 0; n < kCells; ++n) {
        const int slot = downward ? n : kCells - 1 - n;
        const ProgramEntry& e = state_.catalogue.at(major, minor, slot);
        PictureBox& icon = *Picture1[static_cast<std::size_t>(n)];
        EventLabel& overlay = *Label1[static_cast<std::size_t>(n)];
        EventLabel& caption = *Label2[static_cast<std::size_t>(n)];
        icon.clear();
        if (!e.exePath.empty()) {
            drawProgramIcon(desktop_, e.exePath, shownTitle(e), icon);
            overlay.setText(QString());
            Label1[static_cast<std::size_t>(anchor)]->setText(
                qs(state_.catalogue.at(major, minor, 0).minorName));
            caption.setText(shownTitle(e));
        } else {
            // The empty cell is cleared before the anchor is named, so that an empty anchor cell
            // still carries the minor category's name.
            caption.setText(QString());
            overlay.setText(QString());
            Label1[static_cast<std::size_t>(anchor)]->setText(columnCaption);
        }
    }
}

void Form3::fillCombinations()
{
    const int group = state_.sel.curMinor;
    if (group < 0 || group >= kGroups)
        return;
    const bool downward = opensDownward();
    for (int n = 0; n < kCells; ++n) {
        const int position = downward ? n : kCells - 1 - n;
        const ComboEntry& o = state_.combos.at(group, position);
        PictureBox& icon = *Picture1[static_cast<std::size_t>(n)];
        icon.clear();
        if (const std::string path = comboIconPath(state_, o); !path.empty())
            drawProgramIcon(desktop_, path, qs(o.name), icon);
        Label1[static_cast<std::size_t>(n)]->setText(qs(o.groupName));
        Label2[static_cast<std::size_t>(n)]->setText(qs(o.name));
    }
}

QString Form3::toolTipFor(int slot) const
{
    const int major = state_.sel.curMajor;
    const int minor = state_.sel.curMinor;
    if (namedMajor(major) && validMinor(minor)) {
        const ProgramEntry& e = state_.catalogue.at(major, minor, slot);
        if (e.name.empty())
            return QStringLiteral("未使用");
        return qs(e.name) + QStringLiteral("使用") + QString::number(static_cast<qint64>(e.useCounter) - 1) +
               QStringLiteral("次") + QStringLiteral(" ") + qs(e.description);
    }
    if (major == kNamedMajors && minor < kGroups && minor >= 0) {
        const ComboEntry& o = state_.combos.at(minor, slot);
        if (o.useCounter == 0)
            return QStringLiteral("未使用");
        return qs(o.description) + QStringLiteral("使用") +
               QString::number(static_cast<qint64>(o.useCounter) - 1) + QStringLiteral("次");
    }
    return {};
}

void Form3::Picture1_MouseMove(int n)
{
    guarded(lcWindows, "Form3::Picture1_MouseMove", [&] {
        const int slot = slotOfCell(n);
        launcher_.selectSlot(slot);
        if (state_.sel.curMajor == kReservedMajor)
            return; // the reserved category leaves the tooltip as it is
        Picture1[static_cast<std::size_t>(n)]->setToolTip(toolTipFor(slot));
    });
}

void Form3::Label1_MouseMove(int n)
{
    for (int i = 0; i < kCells; ++i) {
        const bool hovered = i == n;
        const std::uint32_t back = hovered ? kCellHoverBack : kOverlayNormal;
        const std::uint32_t text = hovered ? kCellHoverText : kCellNormalText;
        Label1[static_cast<std::size_t>(i)]->setColours(back, text);
        Label2[static_cast<std::size_t>(i)]->setColours(back, text);
    }
}

void Form3::Label2_MouseMove(int n)
{
    Label1_MouseMove(n);
}

void Form3::setSunken(int cell, bool sunken)
{
    PictureBox* box = Picture1[static_cast<std::size_t>(cell)];
    // The three-dimensional border of a pressed icon box, drawn over the icon.
    auto* frame = box->findChild<QFrame*>(QString::fromLatin1(kSunkenLookName), Qt::FindDirectChildrenOnly);
    if (!frame && sunken) {
        frame = new QFrame(box);
        frame->setObjectName(QString::fromLatin1(kSunkenLookName));
        frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        frame->setLineWidth(2);
        frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    if (!frame)
        return;
    frame->setGeometry(box->rect());
    frame->setVisible(sunken);
}

void Form3::Picture1_MouseDown(int n, Qt::MouseButton button)
{
    if (n < 0 || n >= kCells)
        return;
    if (button == Qt::LeftButton)
        setSunken(n, true);
    emit iconPressed(n, button);
}

void Form3::Picture1_MouseUp(int n, Qt::MouseButton button)
{
    if (n < 0 || n >= kCells)
        return;
    // A right release keeps the look for the command menu it opens.
    if (button != Qt::RightButton)
        setSunken(n, false);
    // What the release starts may unload this window: nothing touches it afterwards.
    emit iconReleased(n, button);
}

} // namespace qbx
