#include "EditReport.h"

#include "core/Launcher.h"
#include "platform/Desktop.h"
#include "platform/Text.h"

namespace qbx {

bool showRefusal(Desktop& desktop, QWidget* parent, const EditOutcome& outcome)
{
    if (outcome.refusal && !outcome.refusal->empty())
        desktop.message(parent, qs(*outcome.refusal));
    return outcome.applied;
}

bool takeOutAgreed(Launcher& launcher, QWidget* parent, int major, int minor, int slot)
{
    Desktop& desktop = launcher.desktop();
    const Result<bool> keeps = launcher.takeOutKeepsProgram();
    if (!keeps) {
        desktop.message(parent, qs(keeps.error().message));
        return false;
    }
    if (!keeps.value() &&
        !desktop.confirm(parent, QStringLiteral("未分类程序列表已满，该程序将被直接删除，不再保留。确定吗?")))
        return false;
    const EditOutcome outcome = launcher.takeOutProgram(major, minor, slot);
    return showRefusal(desktop, parent, outcome);
}

} // namespace qbx
