#pragma once
// The main window's pop-up Form2 and category window Form3: loaded on first use, placed beside
// the tile whose arrow the pointer is on, filled from the selected major category, and unloaded
// (rebuilt on the next use). The windows drop out of the column and report to it through
// MainWindowLink; what the user does in the category window comes out as this object's signals.

#include "ui/Windows.h"

#include <QObject>
#include <QRect>

#include <optional>

namespace qbx {

struct AppState;
class Desktop;
class Form2;
class Form3;
class Launcher;
class MainWindowLink;
class TwipPlace;

class PopupController : public QObject {
    Q_OBJECT
public:
    // `column`: the main window as the two windows see it; `columnPlace`: its place in twips.
    PopupController(Launcher& launcher, MainWindowLink& column, const TwipPlace& columnPlace,
                    QObject* parent = nullptr);
    ~PopupController() override;

    // The windows while they are loaded (else null), and loaded on first use.
    Form2* popup() const { return form2_.get(); }
    Form3* categoryWindow() const { return form3_.get(); }
    Form2& form2();
    Form3& form3();

    // Opens the pop-up beside the lit tile, on the right of the column or on its left, showing
    // the selected major category.
    void open(bool onRight);
    // Hides the two windows without unloading them (the pointer went on to another tile).
    void hideForTile(bool keepPopup);
    // Unloads the category window and the pop-up.
    void closeAll();
    // Raises the shown windows over the column again.
    void keepFloatingAbove();
    // The pop-up's place in twips now, or where it stood last while it is unloaded.
    QRect popupTwipGeometry() const;
    // The catalogue slot the category window's cell n shows.
    int categorySlot(int cell) const;
    // The category window's left and top in twips while it is loaded.
    std::optional<QPoint> categoryWindowPos() const;
    // Whether the pop-up or the category window is shown.
    bool shown() const;

signals:
    // Icon n of the category window was pressed or released.
    void categoryIconPressed(int cell, Qt::MouseButton button);
    void categoryIconReleased(int cell, Qt::MouseButton button);
    // The pop-up or the category window was shown.
    void windowShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void unloadPopup();
    void fill(bool mirrored);

    Launcher& launcher_;
    const AppState& state_;
    Desktop& desktop_;
    MainWindowLink& column_;
    const TwipPlace& columnPlace_;
    WindowPtr<Form2> form2_;
    WindowPtr<Form3> form3_;
    QRect lastPopupGeometry_;
};

} // namespace qbx
