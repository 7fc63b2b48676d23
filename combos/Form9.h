#pragma once
// The combination editor "组合程序设置": creates, renames and deletes combination groups and
// combinations and adds or removes their member programs. It changes the combinations through
// the core, showing the message of a refusal itself; a refusal ends the command. Members are
// picked in the classification editor, which whoever opens this editor opens when asked
// (memberPickerAsked). After every change the three lists are rebuilt from the combinations, so
// row g of the group list is group g, and each row of the other two names the place it stands
// for, wherever a re-sort moved the entry being worked on.
//
// Accessible names: window title "组合程序设置"; labels, option buttons and buttons by their
// texts; the lists and boxes after the labels above them: "程序组合分类" (groups), "程序组合名称"
// (combinations), "组合程序列表" (members), "类别名" (name), "程序组合说明" (description).

#include "core/ComboEdits.h"

#include <QDialog>
#include <QString>

#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qbx {

class Desktop;
class Launcher;
class MainWindowLink;
class PlainTextLimit;

class Form9 : public QDialog {
    Q_OBJECT
public:
    // The editor changes the combinations through `launcher`; `link` is the main window.
    Form9(Launcher& launcher, MainWindowLink& link, QWidget* parent = nullptr);

    // The lists, the first group and mode "添减分类", with the help for the first steps.
    void load();
    // Loads it and shows it modally; returns when it is closed.
    int openModal();

    static const QString kLoadHelp;
    static const QString kGroupHelp;
    static const QString kComboHelp;
    static const QString kMemberHelp;

    // Controls, named as in the window's design.
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QListWidget* List1;
    QListWidget* List2;
    QListWidget* List3;
    QGroupBox* Frame1;
    QRadioButton* Option1;
    QRadioButton* Option2;
    QRadioButton* Option3;
    QLineEdit* Text1;
    QPlainTextEdit* Text2;
    QPushButton* Command1;
    QPushButton* Command2;
    QPushButton* Command3;
    QPushButton* Command5;

    void done(int result) override;

signals:
    // "新增" in the member mode: the member picker for the combination at (group, position),
    // modal; the signal returns when it was closed.
    void memberPickerAsked(int group, int position);

private:
    void buildControls();
    // Shows the message of a refusal or of a failed write; the record number of the entry acted
    // on when the change was made.
    std::optional<int> made(const ComboEdit& outcome);
    // A command on the selection: `missing` is said when there is none, else `question` is
    // asked and, on OK, the change is made and the lists rebuilt around what it acted on.
    template <typename Change>
    void changeSelected(bool selected, const QString& missing, const QString& question, int group,
                        Change&& change);
    // The rows as places: -1 when no row is selected.
    int selectedGroup() const;
    int selectedPosition() const;
    int selectedMember() const;
    // Rebuilds the lists and selects the live entry with `recordNo`, else group row `fallback`.
    void rebuildLists(int recordNo, int fallbackGroup);
    void selectMode(int mode);
    void setText2(const QString& text);
    void setText1(const QString& text);

    // Events.
    void Form_Load();
    void List1_Click();
    void List2_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command5_Click();
    void Text2_Change();
    void Form_Unload();

    // "新增", one block a mode; false when a message ended the command.
    bool addGroup();
    bool addCombination();
    bool addMembers(int& recordNo);

    Launcher& launcher_;
    MainWindowLink& link_;
    const AppState& state_;
    Desktop& desktop_;
    PlainTextLimit* text2Limit_;
    bool settingText2_ = false;
    int text2Length_ = 0;
};

} // namespace qbx
