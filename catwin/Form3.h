#pragma once
// The category window: a narrow, always-on-top column of five cells that drops out of the
// pop-up over the column the pointer rests on. It shows slots 0-4 of that minor category (the
// five most used programs) or, for the combination tile, the first five combinations of a group.
//
// Accessible names: the window's title is the caption of the column it opened over ("文字"); the
// icon box of a cell is its program's title (description: the program's path); the labels'
// texts are their names.

#include "ui/TwipPlace.h"

#include <QRect>
#include <QWidget>

#include <array>

namespace qbx {

struct AppState;
class Desktop;
class Launcher;
class EventLabel;
class MainWindowLink;
class PictureBox;

class Form3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 870;   // twips
    static constexpr int kHeight = 4800; // Form3.Height in the placement rules
    static constexpr int kCells = 5;

    // The window drops out of the pop-up the main window reports (its top decides the cell mapping).
    Form3(Launcher& launcher, MainWindowLink& mainWindow, QWidget* parent = nullptr);

    // Open-and-fill for pop-up column k: select the column, place the window over it, show it and
    // fill it. `columnCaption` is the caption of the pop-up's overlay Label1(k).
    void openAndFill(int k, const QString& columnCaption);

    // The cell mapping, from the current window positions: downward when the screen has room
    // below the pop-up's top for the whole window; then cell n shows slot n, otherwise 4 - n.
    bool opensDownward() const;
    int slotOfCell(int n) const;
    // The cell over the pop-up: 0 downward, 4 upward.
    int anchorCell() const;

    int leftTwips() const { return place_.left(); }
    int topTwips() const { return place_.top(); }

    // Pointer over the icon of cell n: selects its slot and sets the use-count tooltip.
    void Picture1_MouseMove(int n);
    // Pointer over a cell's overlay or caption strip: highlights that cell only.
    void Label1_MouseMove(int n);
    void Label2_MouseMove(int n);
    // Pressing an icon (left: it looks sunken) and releasing it (any button but the right: flat
    // again); both are reported by the signals below.
    void Picture1_MouseDown(int n, Qt::MouseButton button);
    void Picture1_MouseUp(int n, Qt::MouseButton button);

signals:
    // Icon n was pressed or released (starting what it shows, the command menu).
    void iconPressed(int n, Qt::MouseButton button);
    void iconReleased(int n, Qt::MouseButton button);

private:
    void Form_Load();
    void place(int k);
    void fillCatalogue(const QString& columnCaption);
    void fillCombinations();
    QString toolTipFor(int slot) const;
    void setSunken(int cell, bool sunken);

    // The cells, named "Picture1_n", "Label1_n" and "Label2_n".
    std::array<PictureBox*, kCells> Picture1{};
    std::array<EventLabel*, kCells> Label1{};
    std::array<EventLabel*, kCells> Label2{};

    Launcher& launcher_;
    const AppState& state_;
    Desktop& desktop_;
    MainWindowLink& mainWindow_;
    TwipPlace place_;
};

} // namespace qbx
