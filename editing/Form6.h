#pragma once
// The classification editor "软件添加分类": files programs into the catalogue, moves and exchanges
// them, changes their titles and descriptions, takes them out, and picks members for a
// combination. Whoever opens it chooses which commands it shows.

#include "store/Result.h"

#include <QDialog>
#include <QString>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace qbx {

struct AppState;
struct EditOutcome;
class Desktop;
class Launcher;
class MainWindowLink;
class PlainTextLimit;

// Who opened the editor, and so which of its commands are visible (Command5 always is).
enum class Form6Mode {
    ClassifyMenu,     // main window "分类程序设置": Command3, Command6, Command7, Command8
    AddProgram,       // category window "添加软件": Command3, Command7
    ChangeCategory,   // category window "更改分类": Command1
    ExchangeCategory, // category window "交换分类": Command2
    AddToCombination, // combination editor "添减程序": command4
};

// A program's place in the catalogue.
struct ProgramPlace {
    int major = 0;
    int minor = 0;
    int slot = 0;
};

class Form6 : public QDialog {
    Q_OBJECT

public:
    // The editor changes the catalogue through `launcher`; `link` is the main window.
    Form6(Launcher& launcher, MainWindowLink& link, QWidget* parent = nullptr);

    // Loads the dialog for `mode` (buttons, help line, lists) without showing it. It opens on
    // the program at `place`, which "更改" and "替换" move; without one, on the selection.
    void load(Form6Mode mode, std::optional<ProgramPlace> place = std::nullopt);
    // Loads it for `mode` and shows it modally; returns when it is closed.
    int openModal(Form6Mode mode, std::optional<ProgramPlace> place = std::nullopt);

    // Controls, named as in the window's design.
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QLabel* Label8;
    QListWidget* List1;
    QListWidget* List2;
    QListWidget* List3;
    QLineEdit* Text1;
    QPlainTextEdit* Text2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* command4;
    QPushButton* Command5;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;

    void done(int result) override;

signals:
    // "加入组合" added `memberName` to the combination, whose description is now `description`.
    void memberAdded(const QString& description, const QString& memberName);

private:
    void buildControls();
    void setText2(const QString& text);
    void showCount();
    void resetPendingProgram();
    // The path of the program the user chooses ("查找程序"); nullopt when they chose none.
    std::optional<QString> chooseProgramPath();
    // The three lists' selection as a catalogue place; false when one of them has none or the
    // column of the selected minor name is unknown.
    bool selectedPlace(int& major, int& minor, int& slot) const;
    // Shows a store failure; true when `status` was a success.
    bool reported(const Status& status);
    // Shows why a change was refused or taken back; true when it was made and written.
    bool applied(const EditOutcome& outcome);
    // Makes (major, minor, slot) the current catalogue place.
    void makeCurrent(int major, int minor, int slot);
    // The selected program for a command that asks first: none selected is said, then `question`
    // is put; true, with its place made current, when the user agreed and a program is filed there.
    bool confirmedSelection(const QString& question, int& major, int& minor, int& slot);

    // Events.
    void Form_Load();
    void Form_Unload();
    void List1_Click();
    void List2_Click();
    void List3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();

    Launcher& launcher_;
    const AppState& state_;
    Desktop& desktop_;
    MainWindowLink& link_;
    PlainTextLimit* text2Limit_;
    ProgramPlace place_;
    int ListedMajor = -1;
    int ListedMinor = -1;
};

} // namespace qbx
