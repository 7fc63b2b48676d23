// The core's combinations: launching them, and filing groups, combinations and members.

#include "Launcher.h"

#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/Rollback.h"

namespace qbx {

bool Launcher::launchCombination(int group, int position)
{
    const StateSnapshot before = takeSnapshot(state_);
    std::optional<LaunchResult> result;
    Status counted = success();
    guarded(lcStart, "launching a combination",
            [&] { result = LaunchCombination(state_, desktop_, group, position, &counted); });
    if (!result)
        return false;
    if (!counted) {
        // The members were started; the launch is not counted in memory either.
        takeBack(before);
        emit useNotCounted(QStringLiteral("无法保存使用次数：") + qs(counted.error().message));
    }
    emit combinationsChanged(group);
    emit tilesChanged();
    emit combinationLaunched(*result);
    return true;
}

ComboEdit Launcher::editCombinations(int group, const std::function<ComboEdit()>& change)
{
    const StateSnapshot before = takeSnapshot(state_);
    ComboEdit edit = change();
    if (!edit.done)
        return edit;
    if (group < 0) {
        int position = 0;
        group = 0;
        findCombo(state_.combos, edit.recordNo, group, position);
    }
    if (!edit.message.empty()) {
        // Something was not written: the change is taken back, memory and files, and refused.
        qCWarning(lcStore, "combination group %d: %s; taken back", group, edit.message.c_str());
        takeBack(before);
        ComboEdit refused;
        refused.message = edit.message + "\n这次更改没有保存，已撤销。";
        return refused;
    }
    emit combinationsChanged(group);
    emit tilesChanged();
    return edit;
}

ComboEdit Launcher::createComboGroup(const std::string& typedName)
{
    return editCombinations(-1, [&] { return qbx::createComboGroup(state_, typedName); });
}

ComboEdit Launcher::createCombination(int group, const std::string& typedName,
                                      const std::string& typedDescription)
{
    return editCombinations(
        group, [&] { return qbx::createCombination(state_, group, typedName, typedDescription); });
}

ComboEdit Launcher::deleteComboGroup(int group)
{
    return editCombinations(group, [&] { return qbx::deleteComboGroup(state_, group); });
}

ComboEdit Launcher::deleteCombination(int group, int position)
{
    return editCombinations(group, [&] { return qbx::deleteCombination(state_, group, position); });
}

ComboEdit Launcher::removeComboMember(int group, int position, int member)
{
    return editCombinations(group, [&] { return qbx::removeComboMember(state_, group, position, member); });
}

ComboEdit Launcher::renameComboGroup(int group, const std::string& typedName)
{
    return editCombinations(group, [&] { return qbx::renameComboGroup(state_, group, typedName); });
}

ComboEdit Launcher::renameCombination(int group, int position, const std::string& typedName,
                                      const std::string& typedDescription)
{
    return editCombinations(
        group, [&] { return qbx::renameCombination(state_, group, position, typedName, typedDescription); });
}

ComboEdit Launcher::finishComboAdding(int group, int recordNo)
{
    return editCombinations(group, [&] { return qbx::finishComboAdding(state_, group, recordNo); });
}

} // namespace qbx
