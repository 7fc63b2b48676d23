// The combination editor's commands: "新增" with its three blocks, "删除" and "更名" in each mode.
// Each change is asked for through a signal; the lists are rebuilt after it.

#include "Form9.h"

#include "Desktop.h"
#include "Text.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace qbx {

template <typename Ask> bool Form9::carriedOut(Ask&& ask)
{
    answer_.reset();
    ask();
    const std::optional<ComboEdit> outcome = std::exchange(answer_, std::nullopt);
    if (!outcome)
        return false;
    if (!outcome->message.empty())
        desktop_.message(this, qs(outcome->message));
    if (outcome->done)
        answer_ = outcome; // kept for the caller to read the entry's record number
    return outcome->done;
}

void Form9::Command1_Click()
{
    int recordNo = 0;
    if (Option1->isChecked() && !addGroup())
        return;
    if (Option2->isChecked() && !addCombination())
        return;
    if (Option3->isChecked() && !addMembers(recordNo))
        return;
    const int group = selectedGroup();
    if (carriedOut([&] { emit addingFinished(group, recordNo); }))
        rebuildLists(answer_->recordNo, group);
}

bool Form9::addGroup()
{
    if (!carriedOut([&] { emit groupCreationAsked(Text1->text()); }))
        return false;
    rebuildLists(answer_->recordNo, 0);
    // The next step: its mode empties the name box, so block 2 asks for the combination's name.
    selectMode(2);
    return true;
}

bool Form9::addCombination()
{
    const int g = selectedGroup();
    if (g < 0)
        return false;
    if (!carriedOut([&] { emit combinationCreationAsked(g, Text1->text(), Text2->toPlainText()); }))
        return false;
    rebuildLists(answer_->recordNo, g);
    selectMode(3); // and the member picker opens at once
    return true;
}

bool Form9::addMembers(int& recordNo)
{
    const int g = selectedGroup();
    const int p = selectedPosition();
    if (p < 0) {
        desktop_.message(this, QStringLiteral("未选择组合! "));
        return false;
    }
    const ComboEntry& o = state_.combos.at(g, p);
    if (o.programs[kComboMembers - 1] != 0) {
        desktop_.message(this, QStringLiteral(" 程序名额已满! "));
        return false;
    }
    recordNo = o.recordNo;
    emit memberPickerAsked(g, p);
    rebuildLists(recordNo, g); // the picker re-sorts after adding
    return true;
}

template <typename Ask>
void Form9::changeSelected(bool selected, const QString& missing, const QString& question, int group, Ask&& ask)
{
    if (!selected) {
        desktop_.message(this, missing);
        return;
    }
    if (!desktop_.confirm(this, question))
        return;
    if (carriedOut(std::forward<Ask>(ask)))
        rebuildLists(answer_->recordNo, group);
}

void Form9::Command2_Click()
{
    const int g = selectedGroup();
    const int p = selectedPosition();
    const int k = selectedMember();
    if (Option1->isChecked())
        changeSelected(g >= 0, QStringLiteral("请先选中分类!"), QStringLiteral("确实要删除该分类及其组合吗？"), g,
                       [&] { emit groupDeletionAsked(g); });
    else if (Option2->isChecked())
        changeSelected(p >= 0, QStringLiteral("请先选中组合!"), QStringLiteral("确实要删除该组合吗？"), g,
                       [&] { emit combinationDeletionAsked(g, p); });
    else if (Option3->isChecked())
        changeSelected(k >= 0, QStringLiteral("请先选中程序!"), QStringLiteral("确实要删除该程序吗？"), g,
                       [&] { emit memberRemovalAsked(g, p, k); });
}

void Form9::Command3_Click()
{
    const int g = selectedGroup();
    const int p = selectedPosition();
    if (Option1->isChecked()) {
        if (g >= 0 && Text1->text().isEmpty()) {
            desktop_.message(this, QStringLiteral("请先填写更改内容！"));
            return;
        }
        changeSelected(g >= 0, QStringLiteral("请先选择分类！"), QStringLiteral("确实要更改该分类名称吗？"), g,
                       [&] { emit groupRenameAsked(g, Text1->text()); });
    } else if (Option2->isChecked()) {
        // A combination without a name would vanish from the lists while it keeps its members.
        if (p >= 0 && Text1->text().trimmed().isEmpty()) {
            desktop_.message(this, QStringLiteral("请先填写更改内容！"));
            return;
        }
        changeSelected(p >= 0, QStringLiteral("请先选择程序组合！"), QStringLiteral("确实要更改该程序组合名称或说明吗？"), g,
                       [&] { emit combinationRenameAsked(g, p, Text1->text(), Text2->toPlainText()); });
    }
}

} // namespace qbx
