#include "EditReport.h"

#include "Desktop.h"
#include "Launcher.h"
#include "Logging.h"
#include "Text.h"

namespace qbx {

bool showRefusal(Desktop& desktop, QWidget* parent, const EditOutcome& outcome)
{
    if (outcome.refusal && !outcome.refusal->empty())
        desktop.message(parent, qs(*outcome.refusal));
    return outcome.applied;
}

void showWriteFailure(Desktop& desktop, QWidget* parent, const EditOutcome& outcome)
{
    if (!outcome.written) {
        qCWarning(lcStore, "a change was made but not written: %s", outcome.written.error().message.c_str());
        desktop.message(parent, qs(outcome.written.error().message));
    } else if (!outcome.countWritten) {
        qCWarning(lcStore, "the program count could not be written to the settings file");
        desktop.message(parent, QStringLiteral("无法写入设置文件！"));
    }
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
    if (!showRefusal(desktop, parent, outcome))
        return false;
    showWriteFailure(desktop, parent, outcome);
    return true;
}

} // namespace qbx
