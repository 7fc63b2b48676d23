// The core's combinations: launching them, and filing groups, combinations and members.

#include "Launcher.h"

#include "Logging.h"

namespace qbx {

bool Launcher::launchCombination(int group, int position)
{
    std::optional<LaunchResult> result;
    guarded(lcStart, "launching a combination",
            [&] { result = LaunchCombination(state_, desktop_, group, position); });
    if (!result)
        return false;
    emit combinationsChanged(group);
    emit tilesChanged();
    emit combinationLaunched(*result);
    return true;
}

ComboEdit Launcher::combinationsEdited(int group, ComboEdit edit)
{
    if (!edit.done)
        return edit;
    if (!edit.message.empty())
        qCInfo(lcStore, "combination group %d: %s", group, edit.message.c_str());
    emit combinationsChanged(group);
    emit tilesChanged();
    return edit;
}

ComboEdit Launcher::createComboGroup(const std::string& typedName)
{
    ComboEdit edit = qbx::createComboGroup(state_, typedName);
    int group = 0, position = 0;
    findCombo(state_.combos, edit.recordNo, group, position);
    return combinationsEdited(group, std::move(edit));
}

ComboEdit Launcher::createCombination(int group, const std::string& typedName,
                                      const std::string& typedDescription)
{
    return combinationsEdited(group, qbx::createCombination(state_, group, typedName, typedDescription));
}

ComboEdit Launcher::deleteComboGroup(int group)
{
    return combinationsEdited(group, qbx::deleteComboGroup(state_, group));
}

ComboEdit Launcher::deleteCombination(int group, int position)
{
    return combinationsEdited(group, qbx::deleteCombination(state_, group, position));
}

ComboEdit Launcher::removeComboMember(int group, int position, int member)
{
    return combinationsEdited(group, qbx::removeComboMember(state_, group, position, member));
}

ComboEdit Launcher::renameComboGroup(int group, const std::string& typedName)
{
    return combinationsEdited(group, qbx::renameComboGroup(state_, group, typedName));
}

ComboEdit Launcher::renameCombination(int group, int position, const std::string& typedName,
                                      const std::string& typedDescription)
{
    return combinationsEdited(group,
                              qbx::renameCombination(state_, group, position, typedName, typedDescription));
}

ComboEdit Launcher::finishComboAdding(int group, int recordNo)
{
    return combinationsEdited(group, qbx::finishComboAdding(state_, group, recordNo));
}

} // namespace qbx
