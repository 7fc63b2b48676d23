#pragma once
// The program's map: which core operation each window's signals run, and which windows redraw
// on each of the core's signals. See Wiring.cpp.

#include "settings/ClickSound.h"

#include <QObject>
#include <QPointer>

namespace qbx {

class Form1;
class Form10;
class Launcher;
class Menu1;

// Connects the main window (and through it the pop-up and the category window) to the core.
// Lives as long as both.
class Wiring : public QObject {
    Q_OBJECT
public:
    Wiring(Launcher& launcher, Form1& form1, QObject* parent = nullptr);
    ~Wiring() override;

    ClickSound& clickSound() { return sound_; }

private:
    void wireMainWindow();
    void wireCategoryWindow();
    void wireMenus();
    void wireSettings();
    void wireTray();
    void wireCombinations();
    void wireCommandMenu();
    void wireFirstStart();
    // The combination editor "程序组合", modal (from the "设置" menu and the command menu).
    void openComboEditor();

    Launcher& launcher_;
    Form1& form1_;
    ClickSound sound_;
    Menu1* menu1_ = nullptr;  // the command menu of a program, owned by the main window
    QPointer<Form10> report_; // the combination report while it is open
};

} // namespace qbx
