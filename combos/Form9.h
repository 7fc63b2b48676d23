#pragma once
// The combination editor "组合程序设置": creates, renames and deletes combination groups and
// combinations and adds or removes their member programs. It reads the combinations; every change
// is asked for through a signal, and whoever carries it out gives the outcome back with answer()
// before the signal returns. A refusal's message is shown and ends the command. After every
// change the three lists are rebuilt from the combinations, so row g of the group list is group
// g, and each row of the other two names the place it stands for, wherever a re-sort moved the
// entry being worked on.
//
// Accessible names: window title "组合程序设置"; labels, option buttons and buttons by their
// texts; the lists "List1" (groups), "List2" (combinations), "List3" (members); the boxes
// "Text1" (name) and "Text2" (description).

#include "ComboEdits.h"

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
class PlainTextLimit;

class Form9 : public QDialog {
    Q_OBJECT
public:
    Form9(const AppState& state, Desktop& desktop, QWidget* parent = nullptr);

    // The lists, the first group and mode "添减分类", with the help for the first steps.
    void load();
    // The outcome of the change asked for by the signal being emitted.
    void answer(const ComboEdit& outcome);

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
    // "新增": a group, a combination in `group`; then the member picker for (group, position),
    // which returns when it was closed; then the end of the command (the combinations re-sorted).
    void groupCreationAsked(const QString& typedName);
    void combinationCreationAsked(int group, const QString& typedName, const QString& typedDescription);
    void memberPickerAsked(int group, int position);
    void addingFinished(int group, int recordNo);
    // "删除" in each mode.
    void groupDeletionAsked(int group);
    void combinationDeletionAsked(int group, int position);
    void memberRemovalAsked(int group, int position, int member);
    // "更名" in the first two modes.
    void groupRenameAsked(int group, const QString& typedName);
    void combinationRenameAsked(int group, int position, const QString& typedName, const QString& typedDescription);
    // "退出" or closing: the hide timers come back.
    void unloading();

private:
    void buildControls();
    // Emits through `ask` and returns the answer given meanwhile; a refusal is shown.
    template <typename Ask> bool carriedOut(Ask&& ask);
    // A command on the selection: `missing` is said when there is none, else `question` is
    // asked and, on OK, the change is asked for and the lists rebuilt around what it acted on.
    template <typename Ask>
    void changeSelected(bool selected, const QString& missing, const QString& question, int group, Ask&& ask);
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

    // "新增", one block a mode; false when a message ended the command.
    bool addGroup();
    bool addCombination();
    bool addMembers(int& recordNo);

    const AppState& state_;
    Desktop& desktop_;
    PlainTextLimit* text2Limit_;
    bool settingText2_ = false;
    int text2Length_ = 0;
    std::optional<ComboEdit> answer_;
};

} // namespace qbx
