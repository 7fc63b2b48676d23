#pragma once
// The program's map: which core operation each window's signals run, and which windows redraw
// on each of the core's signals. See Wiring.cpp.

#include "core/FindIndex.h"
#include "platform/GlobalShortcut.h"
#include "settings/ClickSound.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace qbx {

class Form1;
class FindBox;
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

    // Opens the find box "查找程序" (the key combination, qbx --find).
    void openFindBox();

private:
    void wireMainWindow();
    void wireCategoryWindow();
    void wireMenus();
    void wireSettings();
    void wireTray();
    void wireCombinations();
    void wireCommandMenu();
    void wireFirstStart();
    void wireFind();
    // Takes the find box's key combination (portable text, empty: none); why it does not work,
    // for the settings dialog, or empty.
    QString bindShortcut(const QString& keys);
    // The find box's list follows the catalogue: made again once the current event is done.
    void findIndexChanged();
    void loadFindIndex();
    void startFound(const FindHit& hit);
    // The combination editor "程序组合", modal (from the "设置" menu and the command menu).
    void openComboEditor();

    Launcher& launcher_;
    Form1& form1_;
    ClickSound sound_;
    Menu1* menu1_ = nullptr;  // the command menu of a program, owned by the main window
    QPointer<Form10> report_; // the combination report while it is open
    std::unique_ptr<GlobalShortcut> shortcut_;
    QString shortcutProblem_; // why the key combination does not work, or empty
    FindIndex findIndex_;
    bool findIndexStale_ = true;
    bool findIndexPending_ = false;
    QList<InstalledApplication> installed_; // as the box last listed them
    std::unique_ptr<FindBox> findBox_;
};

} // namespace qbx
