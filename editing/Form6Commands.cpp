// The classification editor's commands: choose a program, file it, move, exchange, retitle,
// take out, and add to a combination. Every change is checked for being writable before it is
// made, then written at once.

#include "Form6.h"

#include "ApplicationPicker.h"
#include "EditReport.h"
#include "core/CatalogueEdits.h"
#include "core/Launcher.h"
#include "core/ProgramChoice.h"
#include "platform/Desktop.h"
#include "platform/Text.h"
#include "store/AppState.h"
#include "store/Store.h"
#include "ui/MainWindowLink.h"
#include "ui/PopupColumns.h"
#include "ui/TypingLimit.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLabel>

#include <algorithm>

namespace qbx {

namespace {

std::string utf8(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

} // namespace

void Form6::makeCurrent(int major, int minor, int slot)
{
    launcher_.select(major, minor, slot);
}

bool Form6::confirmedSelection(const QString& question, int& major, int& minor, int& slot)
{
    if (List3->currentRow() < 0) {
        desktop_.message(this, QStringLiteral("请先选定程序！"));
        return false;
    }
    if (!desktop_.confirm(this, question))
        return false;
    if (!selectedPlace(major, minor, slot) || state_.catalogue.at(major, minor, slot).name.empty())
        return false;
    makeCurrent(major, minor, slot);
    return true;
}

bool Form6::applied(const EditOutcome& outcome)
{
    return showRefusal(desktop_, this, outcome);
}

std::optional<QString> Form6::chooseProgramPath()
{
    // People choose applications, not files: the installed ones are offered first, the file
    // dialog is one button away (and the only way where none are installed).
    const QList<InstalledApplication> apps = desktop_.installedApplications();
    if (!apps.isEmpty()) {
        ApplicationPicker picker(apps, desktop_, this);
        std::optional<QString> chosen;
        bool browse = false;
        connect(&picker, &ApplicationPicker::applicationChosen, this,
                [&chosen](const QString& p) { chosen = p; });
        connect(&picker, &ApplicationPicker::browseRequested, this, [&browse] { browse = true; });
        picker.exec();
        if (!browse)
            return chosen;
    }
    // Desktop entries first; any file, a Windows program among them, stays one choice away.
    const QStringList filters{QStringLiteral("应用程序 (*.desktop)"), QStringLiteral("所有文件 (*)"),
                              QStringLiteral("Windows 程序 (*.exe)")};
    return desktop_.openFileName(this, QStringLiteral("查找exe文件"), filters, QString());
}

void Form6::Command7_Click()
{
    resetPendingProgram();
    const auto path = chooseProgramPath();
    const ChosenProgram chosen = path ? describeChosenFile(*path) : ChosenProgram{};
    if (!path || path->isEmpty() || chosen.name.isEmpty()) {
        desktop_.message(this, QStringLiteral("你还没有选择程序！请选择。"));
        return;
    }
    const std::string base = nameForFiling(state_, utf8(chosen.name), utf8(chosen.fileId), utf8(*path));
    if (base.empty()) {
        desktop_.message(this, QStringLiteral("该程序已经分类了！"));
        return;
    }
    // A path the data file cannot hold (too long, or text GBK has no characters for) could never
    // be filed; it is refused here, so the search stays open for another choice.
    ProgramEntry probe;
    probe.name = base;
    probe.exePath = utf8(*path);
    if (!reported(checkWritable(probe)))
        return;
    ProgramEntry pending = state_.sel.pendingProgram;
    pending.name = base;
    pending.exePath = probe.exePath;
    launcher_.holdPendingProgram(pending);

    Command1->setVisible(false);
    Command2->setVisible(false);
    Command3->setVisible(true);
    setLimitedText(Text1, chosen.title, kTitleChars);
    // A new choice replaces what the previous one suggested.
    setText2(chosen.description);
    Command7->setEnabled(false);
    Command3->setEnabled(true);
}

void Form6::Command3_Click()
{
    const ProgramEntry pending = state_.sel.pendingProgram;
    if (pending.name.empty())
        return;
    const int m = List1->currentRow();
    const EditOutcome outcome =
        launcher_.fileProgram(pending, m, List2->currentRow(), utf8(trimBlanks(Text1->text())),
                              utf8(trimBlanks(Text2->toPlainText())));
    if (!applied(outcome))
        return;
    List3->addItem(QString::number(List3->count() + 1) + QLatin1Char(' ') + qs(pending.name));
    List3->setCurrentRow(List3->count() - 1);
    showCount();
    ListedMinor = minorColumn(state_, m, List2->currentRow());

    resetPendingProgram();
    link_.closePopups();
    Command7->setEnabled(true);
    Command3->setEnabled(false);
}

void Form6::Command1_Click()
{
    const EditOutcome outcome = launcher_.moveProgram(place_.major, place_.minor, place_.slot,
                                                      List1->currentRow(), List2->currentRow());
    if (!applied(outcome))
        return;
    link_.closePopups();
    accept();
}

void Form6::Command2_Click()
{
    if (List3->currentRow() < 0) {
        desktop_.message(this, QStringLiteral("你没有选择程序 "));
        return;
    }
    const EditOutcome outcome =
        launcher_.exchangePrograms(place_.major, place_.minor, place_.slot, List1->currentRow(),
                                   List2->currentRow(), List3->currentRow());
    if (!applied(outcome))
        return;
    link_.closePopups();
    accept();
}

void Form6::Command6_Click()
{
    int m = 0, c = 0, s = 0;
    if (!confirmedSelection(QStringLiteral("你确定要删除该分类吗?"), m, c, s))
        return;
    if (!takeOutAgreed(launcher_, this, m, c, s))
        return;

    {
        const QSignalBlocker quiet(List3);
        delete List3->takeItem(List3->currentRow());
        List3->setCurrentRow(-1);
    }
    Label3->clear();
    setLimitedText(Text1, QString(), kTitleChars);
    setText2(QString());
    showCount();
    ListedMinor = minorColumn(state_, m, List2->currentRow());
    link_.closePopups(); // rebuilt without the program on next use
}

void Form6::Command8_Click()
{
    int m = 0, c = 0, s = 0;
    if (!confirmedSelection(QStringLiteral("确定要更改标题或说明吗！"), m, c, s))
        return;
    const EditOutcome outcome = launcher_.retitleProgram(m, c, s, utf8(trimBlanks(Text1->text())),
                                                         utf8(trimBlanks(Text2->toPlainText())));
    if (!applied(outcome))
        return;
    link_.closePopups(); // rebuilt with the new title on next use
}

void Form6::command4_Click()
{
    int m = 0, c = 0, s = 0;
    if (List1->currentRow() < 0 || List2->currentRow() < 0 || List3->currentRow() < 0) {
        desktop_.message(this, QStringLiteral("未选择程序! "));
        return;
    }
    if (!selectedPlace(m, c, s))
        return;
    const int group = state_.sel.curGroup;
    const int position = state_.sel.curPosition;
    const EditOutcome outcome = launcher_.addComboMember(group, position, m, c, s);
    if (!applied(outcome))
        return;
    // The combination may have moved within its group: it is the one holding the new member last.
    const ProgramEntry& member = state_.catalogue.at(m, c, s);
    for (int p = 0; p < kUsedPositions; ++p) {
        const ComboEntry& combo = state_.combos.at(group, p);
        const int last = std::clamp<int>(combo.programCount, 1, 5) - 1;
        if (!combo.groupName.empty() && combo.programs[static_cast<std::size_t>(last)] == member.recordNo) {
            emit memberAdded(qs(combo.description), qs(member.name));
            break;
        }
    }
    accept();
}

} // namespace qbx
