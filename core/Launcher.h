#pragma once
// The application core. It works on the program-wide state (catalogue, taken-out list,
// combinations, minor names, settings, selection) and the data files behind it, runs the
// start-up file work before any window exists, and does what the windows ask for. Every
// operation receives its place explicitly (major, minor, slot for a program; group, position for
// a combination) and tells what changed through the signals below; windows redraw from them.
//
// How a new window plugs in: a window that only shows and reports emits Qt signals saying what
// the user did (`tileReleased(i, button)`), and app/Wiring.cpp gets one block connecting them to
// the operations here and these signals to the window's redraws. A dialog that edits data is
// given `Launcher&` and calls the operations with the place the user chose, showing the message
// of a refusal or failure itself. New operations are added here as plain methods; each kind of
// change other windows must see gets a signal.

#include "ComboEdits.h"
#include "LaunchCombination.h"
#include "SettingsChoices.h"
#include "store/AppState.h"
#include "store/Result.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>
#include <string>

namespace qbx {

class Desktop;
struct StateSnapshot;

// What a change of the catalogue or the combinations did. Refused: nothing changed, and
// `refusal` says why when the user is to be told (empty when there was simply nothing to do).
// Applied: the change is in memory and in the files. A change one of whose writes failed is
// taken back, in memory and on disk, and comes back refused with the reason; `written` (the
// first write that failed) and `countWritten` (whether the settings file took the new program
// count) say what went wrong.
struct EditOutcome {
    bool applied = false;
    std::optional<std::string> refusal; // UTF-8, for a message box
    Status written = success();
    bool countWritten = true;

    static EditOutcome refused(std::string why = {});
};

// What a start from the category window did.
enum class StartOutcome {
    Nothing,  // an empty cell, or a place outside the catalogue
    Started,  // a program or a combination was started
    Reserved, // the reserved category: the user is told it comes later
};

class Launcher : public QObject {
    Q_OBJECT
public:
    Launcher(AppState& state, Desktop& desktop, QObject* parent = nullptr);

    // What the windows read; they change it only through the operations below.
    const AppState& state() const { return state_; }
    Desktop& desktop() { return desktop_; }

    // The start-up file work, in this order: the settings, the built-in minor names, the list of
    // programs taken out (prepared on a fresh installation), the catalogue and the combinations,
    // and which catalogue position holds each minor name. A failing step is logged and skipped.
    void startUp();
    // The two halves of startUp(): the settings, then the rest.
    void readSettings();
    void readDataFiles();

    // ---- the selection ----

    // Makes (major, minor, slot) the selected place, which the category window's commands act on.
    void select(int major, int minor, int slot);
    // The major category the pop-up shows (the pointer went on to tile `major`'s arrow).
    void selectMajor(int major);
    // The slot of the selected minor category the pointer is over in the category window.
    void selectSlot(int slot);
    // The tile lit under the pointer.
    void hoverTile(int tile);
    // Column `column` of the pop-up was opened: it shows minor category `minor` of the selected
    // major category, and the pop-up is in use.
    void openColumn(int column, int minor);
    // Whether the pop-up is in use (a column opened) or done with (the pointer left it).
    void setPopupActive(bool active);
    // The combination at (group, position) members are added to.
    void selectCombination(int group, int position);
    // The program waiting to be filed.
    void holdPendingProgram(const ProgramEntry& program);

    // ---- starting ----

    // Starts the program at (major, minor, slot) without waiting, counts the use (even when the
    // start failed), re-orders its minor and major category and writes what moved. When that
    // write fails the use is not counted in memory either and useNotCounted tells why. False (and
    // nothing counted) for an empty place or one outside the catalogue. `recordsWritten`, when
    // given, receives how many records the re-ordering wrote.
    bool startProgram(int major, int minor, int slot, int* recordsWritten = nullptr);
    // Starts an installed application that is not filed, by its desktop entry; nothing is
    // counted. programNotStarted tells when it would not start.
    bool startApplication(const QString& desktopEntry);
    // A tile's favourite: the most used program of `major`, at (major, 0, 0). Selects that place.
    bool startFavourite(int major);
    // What a cell of the category window holds at (major, minor, slot): a program of majors 0-4,
    // a combination (group = minor, position = slot) of major 5, the reserved major 6.
    StartOutcome startEntry(int major, int minor, int slot);
    // Launches the combination at (group, position): its members are started, the launch is
    // counted for the combination and the combinations are re-sorted; combinationLaunched tells
    // what became of each member. False (nothing started, counted or told) when it has no first
    // member.
    bool launchCombination(int group, int position);

    // ---- the catalogue ----

    // Files `program` (its name and path) in the minor category that shows minor name
    // `nameIndex` of `major`, in its first free slot, with a fresh record number and use count 1;
    // the program count grows by one and is written to the settings file.
    EditOutcome fileProgram(const ProgramEntry& program, int major, int nameIndex, const std::string& title,
                            const std::string& description);
    // Moves the program at (major, minor, slot) to the last slot of the minor category showing
    // minor name `nameIndex` of `toMajor`, then re-sorts both categories.
    EditOutcome moveProgram(int major, int minor, int slot, int toMajor, int nameIndex);
    // Exchanges the programs at (major, minor, slot) and at row `otherSlot` of minor name
    // `otherNameIndex` of `otherMajor`; each takes the other's place and category names.
    EditOutcome exchangePrograms(int major, int minor, int slot, int otherMajor, int otherNameIndex,
                                 int otherSlot);
    // New title and description for the program at (major, minor, slot).
    EditOutcome retitleProgram(int major, int minor, int slot, const std::string& title,
                               const std::string& description);
    // Takes the program at (major, minor, slot) out: into the first free record of the taken-out
    // list, or dropped when none is free; the program count shrinks by one.
    EditOutcome takeOutProgram(int major, int minor, int slot);
    // Whether a program taken out now would be kept in the taken-out list (true) or dropped
    // because the list has no free record (false); read before anything changes.
    Result<bool> takeOutKeepsProgram();
    // Adds the program at (major, minor, slot) as the next member of the combination at
    // (group, position) and re-sorts its group.
    EditOutcome addComboMember(int group, int position, int major, int minor, int slot);

    // ---- combinations (ComboEdits.h says what each does and refuses) ----

    ComboEdit createComboGroup(const std::string& typedName);
    ComboEdit createCombination(int group, const std::string& typedName, const std::string& typedDescription);
    ComboEdit deleteComboGroup(int group);
    ComboEdit deleteCombination(int group, int position);
    ComboEdit removeComboMember(int group, int position, int member);
    ComboEdit renameComboGroup(int group, const std::string& typedName);
    ComboEdit renameCombination(int group, int position, const std::string& typedName,
                                const std::string& typedDescription);
    // The end of adding members: the combinations re-sorted (group `group` first).
    ComboEdit finishComboAdding(int group, int recordNo);

    // The number of filed programs as the settings file holds it now (it may have been changed
    // by another copy of the program); the count in memory follows it.
    int storedProgramCount();

    // ---- the system settings ----

    // Begins a round of choices (one opening of the system-settings dialog): a write that fails
    // is told once a round.
    void beginSettingsRound();
    // Start option 1-3: this program starts at login; 4: the login entry stays, switched off.
    // startMode follows and is written to the settings file.
    void chooseStartMode(int option);
    // The hide delays in whole seconds; the running timers take them at once (hideDelaysChanged).
    void chooseMainDelay(int seconds);
    void chooseCategoryDelay(int seconds);
    // The key combination that opens the find box, in Qt's portable text (empty: none).
    void chooseShortcut(const QString& keys);
    // The failed writes of this round not told yet, as messages for the user.
    QStringList takeSettingsFailures();

signals:
    // The tile icons may have changed (the favourite of a major, the first combination).
    void tilesChanged();
    // The order or the contents of a minor category changed.
    void categoryChanged(int major, int minor);
    // The order or the contents of a combination group changed.
    void combinationsChanged(int group);
    // A combination was launched: what became of each of its member places.
    void combinationLaunched(const qbx::LaunchResult& result);
    // A hide delay was chosen: the main window's and the category window's delays now, in ms.
    void hideDelaysChanged(int mainMs, int categoryMs);
    // A filed program could not be started (it was counted all the same).
    void programNotStarted(const QString& path);
    // The use of a started program could not be written (it is not counted): why, for the user.
    void useNotCounted(const QString& why);

private:
    // Carries out a change of the combinations of `group` (-1: the group the change's record ends
    // up in). One whose write failed is taken back and refused with the reason; one carried out is
    // told to the windows.
    ComboEdit editCombinations(int group, const std::function<ComboEdit()>& change);
    // Re-orders (major, minor) and its major category and writes what moved, then tells.
    Status sortCategory(int major, int minor, int* recordsWritten = nullptr);
    Status sortGroup(int group);
    // After one category was written and re-sorted, which may have moved the minor categories of
    // `major` as wholes: `entry`, just put into (major, minor), is found where it is now, selected,
    // written there, and its category re-sorted.
    void settle(EditOutcome& outcome, int major, int minor, const ProgramEntry& entry);
    // A change all of whose writes went through is kept as it is; one whose write failed is taken
    // back to `before` and refused with the reason for the user.
    EditOutcome keptOrTakenBack(const StateSnapshot& before, const EditOutcome& outcome);
    // Memory and files back to `before`; every window redraws.
    void takeBack(const StateSnapshot& before);

    SettingsChoices& settingsRound();

    AppState& state_;
    Desktop& desktop_;
    std::optional<SettingsChoices> settingsRound_;
};

} // namespace qbx
