// The combination editor's commands: "新增" with its three blocks, "删除" and "更名" in each mode.
// Each change is made through the core; the lists are rebuilt after it.

#include "Form9.h"

#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "platform/Text.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace qbx {

namespace {

std::string utf8(const QString& s)
{
    return s.toUtf8().toStdString();
}

} // namespace

std::optional<int> Form9::made(const ComboEdit& outcome)
{
    if (!outcome.message.empty())
        desktop_.message(this, qs(outcome.message));
    if (!outcome.done)
        return std::nullopt;
    return outcome.recordNo;
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
    if (const auto acted = made(launcher_.finishComboAdding(group, recordNo)))
        rebuildLists(*acted, group);
}

bool Form9::addGroup()
{
    const auto acted = made(launcher_.createComboGroup(utf8(Text1->text())));
    if (!acted)
        return false;
    rebuildLists(*acted, 0);
    // On to the combination: its mode empties the name box, so the next step asks for its name.
    selectMode(2);
    return true;
}

bool Form9::addCombination()
{
    const int g = selectedGroup();
    if (g < 0)
        return false;
    const auto acted = made(launcher_.createCombination(g, utf8(Text1->text()), utf8(Text2->toPlainText())));
    if (!acted)
        return false;
    rebuildLists(*acted, g);
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

template <typename Change>
void Form9::changeSelected(bool selected, const QString& missing, const QString& question, int group,
                           Change&& change)
{
    if (!selected) {
        desktop_.message(this, missing);
        return;
    }
    if (!desktop_.confirm(this, question))
        return;
    if (const auto acted = made(change()))
        rebuildLists(*acted, group);
}

void Form9::Command2_Click()
{
    const int g = selectedGroup();
    const int p = selectedPosition();
    const int k = selectedMember();
    if (Option1->isChecked())
        changeSelected(g >= 0, QStringLiteral("请先选中分类!"),
                       QStringLiteral("确实要删除该分类及其组合吗？"), g,
                       [&] { return launcher_.deleteComboGroup(g); });
    else if (Option2->isChecked())
        changeSelected(p >= 0, QStringLiteral("请先选中组合!"), QStringLiteral("确实要删除该组合吗？"), g,
                       [&] { return launcher_.deleteCombination(g, p); });
    else if (Option3->isChecked())
        changeSelected(k >= 0, QStringLiteral("请先选中程序!"), QStringLiteral("确实要删除该程序吗？"), g,
                       [&] { return launcher_.removeComboMember(g, p, k); });
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
        changeSelected(g >= 0, QStringLiteral("请先选择分类！"), QStringLiteral("确实要更改该分类名称吗？"),
                       g, [&] { return launcher_.renameComboGroup(g, utf8(Text1->text())); });
    } else if (Option2->isChecked()) {
        // A combination without a name would vanish from the lists while it keeps its members.
        if (p >= 0 && Text1->text().trimmed().isEmpty()) {
            desktop_.message(this, QStringLiteral("请先填写更改内容！"));
            return;
        }
        changeSelected(p >= 0, QStringLiteral("请先选择程序组合！"),
                       QStringLiteral("确实要更改该程序组合名称或说明吗？"), g, [&] {
                           return launcher_.renameCombination(g, p, utf8(Text1->text()),
                                                              utf8(Text2->toPlainText()));
                       });
    }
}

} // namespace qbx
