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

void Form9::Command2_Click()
{
    const int g = selectedGroup();
    const int p = selectedPosition();
    if (Option1->isChecked()) {
        if (g < 0) {
            desktop_.message(this, QStringLiteral("请先选中分类!"));
            return;
        }
        if (!desktop_.confirm(this, QStringLiteral("确实要删除该分类及其组合吗？")))
            return;
        if (carriedOut([&] { emit groupDeletionAsked(g); }))
            rebuildLists(0, g);
    } else if (Option2->isChecked()) {
        if (p < 0) {
            desktop_.message(this, QStringLiteral("请先选中组合!"));
            return;
        }
        if (!desktop_.confirm(this, QStringLiteral("确实要删除该组合吗？")))
            return;
        if (carriedOut([&] { emit combinationDeletionAsked(g, p); }))
            rebuildLists(answer_->recordNo, g);
    } else if (Option3->isChecked()) {
        const int k = selectedMember();
        if (k < 0) {
            desktop_.message(this, QStringLiteral("请先选中程序!"));
            return;
        }
        if (!desktop_.confirm(this, QStringLiteral("确实要删除该程序吗？")))
            return;
        if (carriedOut([&] { emit memberRemovalAsked(g, p, k); }))
            rebuildLists(answer_->recordNo, g);
    }
}

void Form9::Command3_Click()
{
    const int g = selectedGroup();
    const int p = selectedPosition();
    if (Option1->isChecked()) {
        if (g < 0) {
            desktop_.message(this, QStringLiteral("请先选择分类！"));
            return;
        }
        if (Text1->text().isEmpty()) {
            desktop_.message(this, QStringLiteral("请先填写更改内容！"));
            return;
        }
        if (!desktop_.confirm(this, QStringLiteral("确实要更改该分类名称吗？")))
            return;
        if (carriedOut([&] { emit groupRenameAsked(g, Text1->text()); }))
            rebuildLists(answer_->recordNo, g);
    } else if (Option2->isChecked()) {
        if (p < 0) {
            desktop_.message(this, QStringLiteral("请先选择程序组合！"));
            return;
        }
        // A combination without a name would vanish from the lists while it keeps its members.
        if (Text1->text().trimmed().isEmpty()) {
            desktop_.message(this, QStringLiteral("请先填写更改内容！"));
            return;
        }
        if (!desktop_.confirm(this, QStringLiteral("确实要更改该程序组合名称或说明吗？")))
            return;
        if (carriedOut([&] { emit combinationRenameAsked(g, p, Text1->text(), Text2->toPlainText()); }))
            rebuildLists(answer_->recordNo, g);
    }
}

} // namespace qbx
