#pragma once
// The minor-category pop-up: five columns beside the main window, each showing one minor
// category's most used program (icon and title) under the category's name. Resting on a column
// drops the category window over it. The main window places and fills it (PopupFill.h).
//
// Accessible names: the window's title is the category it shows ("办公"); the icon of a column
// is its program's title (description: the program's path); the labels' texts are their names.

#include "ui/TwipPlace.h"

#include <QRect>
#include <QWidget>

#include <array>

namespace qbx {

class Launcher;
class EventLabel;
class MainWindowLink;
class PictureBox;

class Form2 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 4470; // twips; Form2.Width in the side test
    static constexpr int kHeight = 960;
    static constexpr int kColumns = 5;

    Form2(Launcher& launcher, MainWindowLink& mainWindow, QWidget* parent = nullptr);

    std::array<PictureBox*, kColumns> Picture1{};
    std::array<EventLabel*, kColumns> Label1{};
    std::array<EventLabel*, kColumns> Label2{};

    int leftTwips() const { return place_.left(); }
    int topTwips() const { return place_.top(); }
    void moveTwips(int left, int top) { place_.move(left, top); }
    // The outer rectangle in twips.
    QRect twipGeometry() const;

    // The column hover: selects the column's minor category and opens the category window over it.
    void Label1_MouseMove(int k);
    void Picture1_MouseMove(int k);
    // Paints the five overlays in the normal colours, so that no column stays highlighted.
    void repaintOverlays();

signals:
    // Column k was hovered and selected: the category window opens over it, `caption` being the
    // column's overlay caption.
    void columnOpened(int k, const QString& caption);
    // A double click on the pop-up's own surface: the owner unloads it.
    void unloadRequested();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void Form_Load();
    void columnHover(int k);

    Launcher& launcher_;
    MainWindowLink& mainWindow_;
    TwipPlace place_;
};

} // namespace qbx
