// The classification editor's commands: choose a program, file it, move, exchange, retitle,
// take out, and add to a combination. Every change is checked for being writable before it is
// made, then written at once.

#include "Form6.h"

#include "AppState.h"
#include "CatalogueEdits.h"
#include "Desktop.h"
#include "Ini.h"
#include "MainWindowLink.h"
#include "ProgramChoice.h"
#include "Store.h"
#include "Text.h"
#include "TypingLimit.h"
#include "Unclassified.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QLabel>

#include <utility>

namespace qbx {

namespace {

std::string utf8(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

bool inNamedCatalogue(int major, int minor, int slot)
{
    return major >= 0 && major < kNamedMajors && minor >= 0 && minor < kMinors && slot >= 0 && slot < kSlots;
}

// A run of writes reports its first failure.
void keepFirstFailure(Status& written, const Status& next)
{
    if (written && !next)
        written = next;
}

// An entry takes the position and the category names of the place it is put in.
void placeEntry(ProgramEntry& e, int major, int minor, int slot, std::string majorName, std::string minorName)
{
    e.major = static_cast<std::int16_t>(major);
    e.minor = static_cast<std::int16_t>(minor);
    e.slot = static_cast<std::int16_t>(slot);
    e.majorName = std::move(majorName);
    e.minorName = std::move(minorName);
}

} // namespace

void Form6::makeCurrent(int major, int minor, int slot)
{
    state_.sel.curMajor = static_cast<std::int16_t>(major);
    state_.sel.curMinor = static_cast<std::int16_t>(minor);
    state_.sel.curSlot = static_cast<std::int16_t>(slot);
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

bool Form6::storeCount()
{
    const bool written = writeIniInt(kSectionBasic, kKeyYcount, state_.settings.ycount, state_.settingsFile());
    showCount();
    return written;
}

void Form6::reportWritten(const Status& catalogue, bool countWritten)
{
    if (reported(catalogue) && !countWritten)
        desktop_.message(this, QStringLiteral("无法写入设置文件！"));
}

void Form6::Command7_Click()
{
    resetPendingProgram();
    const QStringList filters{QStringLiteral("bmp Files (*.exe)"), QStringLiteral("程序 (*)"),
                              QStringLiteral("桌面项 (*.desktop)")};
    const auto path = desktop_.openFileName(this, QStringLiteral("查找exe文件"), filters, QDir::currentPath());
    const ChosenProgram chosen = path ? describeChosenFile(*path) : ChosenProgram{};
    if (!path || path->isEmpty() || chosen.name.isEmpty()) {
        desktop_.message(this, QStringLiteral("你还没有选择程序！请选择。"));
        return;
    }
    const std::string base = utf8(chosen.name);
    if (nameFiled(state_, base)) {
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
    state_.sel.pendingProgram.name = base;
    state_.sel.pendingProgram.exePath = probe.exePath;

    Command1->setVisible(false);
    Command2->setVisible(false);
    Command3->setVisible(true);
    setLimitedText(Text1, chosen.title, kTitleChars);
    if (!chosen.description.isEmpty())
        setText2(chosen.description);
    Command7->setEnabled(false);
    Command3->setEnabled(true);
}

void Form6::Command3_Click()
{
    ProgramEntry& pending = state_.sel.pendingProgram;
    if (pending.name.empty())
        return;
    if (auto stored = readIniInt(kSectionBasic, kKeyYcount, 0, state_.settingsFile()))
        state_.settings.ycount = *stored;
    if (state_.settings.ycount >= kMaxPrograms) {
        desktop_.message(this, QStringLiteral("软件分类不能超过755个！"));
        return;
    }
    const int m = List1->currentRow();
    const int c = minorColumn(state_, m, List2->currentRow());
    if (m < 0 || m >= kNamedMajors || c < 0)
        return;
    const int slot = firstFreeSlot(state_, m, c);
    if (slot < 0) {
        desktop_.message(this, QStringLiteral("该分类已满25条"));
        return;
    }

    ProgramEntry entry = pending;
    placeEntry(entry, m, c, slot, utf8(List1->currentItem()->text()), utf8(List2->currentItem()->text()));
    entry.useCounter = 1;
    entry.title = utf8(trimBlanks(Text1->text()));
    entry.description = utf8(trimBlanks(Text2->toPlainText()));
    auto recordNo = allocateProgramRecordNo(state_, state_.catalogue.at(m, c, slot).recordNo);
    if (!reported(recordNo.ok() ? success() : Status(recordNo.error())))
        return;
    entry.recordNo = recordNo.value();
    if (!reported(checkWritable(entry)))
        return;

    // Nothing refused it: the entry goes in, and from here on every step is taken.
    makeCurrent(m, c, slot);
    releaseRecordNo(state_, entry.recordNo);
    state_.catalogue.at(m, c, slot) = entry;
    state_.settings.ycount = static_cast<std::int16_t>(state_.settings.ycount + 1);

    List3->addItem(QString::number(List3->count() + 1) + QLatin1Char(' ') + qs(entry.name));
    List3->setCurrentRow(List3->count() - 1);

    const bool countWritten = storeCount();

    Status written = sortMinorCategory(state_, m, c);
    // Re-sorting may have moved the whole minor category; the entry is written where it is now.
    if (const auto at = locateEntry(state_, m, entry))
        keepFirstFailure(written, saveProgramEntry(state_, m, at->first, at->second));
    ListedMinor = minorColumn(state_, m, List2->currentRow());
    reportWritten(written, countWritten);

    resetPendingProgram();
    link_.closePopups();
    Command7->setEnabled(true);
    Command3->setEnabled(false);
}

void Form6::Command1_Click()
{
    Selection& sel = state_.sel;
    const int sourceMinor = popupMinor(sel.popupColumn, link_.roomOnRight());
    const int sm = sel.curMajor, ss = sel.curSlot;
    if (!inNamedCatalogue(sm, sourceMinor, ss) || state_.catalogue.at(sm, sourceMinor, ss).name.empty())
        return;
    sel.curMinor = static_cast<std::int16_t>(sourceMinor);
    const int t = List1->currentRow();
    const int c = minorColumn(state_, t, List2->currentRow());
    if (t < 0 || t >= kNamedMajors || c < 0)
        return;
    if (!state_.catalogue.at(t, c, kSlots - 1).name.empty())
        return; // the target minor category is full

    ProgramEntry moved = state_.catalogue.at(sm, sourceMinor, ss);
    placeEntry(moved, t, c, kSlots - 1, utf8(List1->currentItem()->text()), utf8(List2->currentItem()->text()));
    if (!reported(checkWritable(moved)))
        return;

    state_.catalogue.at(t, c, kSlots - 1) = moved;
    state_.catalogue.at(sm, sourceMinor, ss) = ProgramEntry{};
    Status written = saveProgramEntry(state_, sm, sourceMinor, ss);
    keepFirstFailure(written, sortMinorCategory(state_, sm, sourceMinor));
    // Re-sorting the source may have moved the target's minor category too.
    const auto at = locateEntry(state_, t, moved);
    const int column = at ? at->first : c;
    sel.curMajor = static_cast<std::int16_t>(t);
    sel.curMinor = static_cast<std::int16_t>(column);
    if (at)
        keepFirstFailure(written, saveProgramEntry(state_, t, at->first, at->second));
    keepFirstFailure(written, sortMinorCategory(state_, t, column));
    reported(written);
    link_.closePopups();
    accept();
}

void Form6::Command2_Click()
{
    if (List3->currentRow() < 0) {
        desktop_.message(this, QStringLiteral("你没有选择程序 "));
        return;
    }
    Selection& sel = state_.sel;
    const int am = sel.curMajor, as = sel.curSlot;
    const int ac = popupMinor(sel.popupColumn, link_.roomOnRight());
    const int bm = List1->currentRow();
    const int bc = minorColumn(state_, bm, List2->currentRow());
    const int bs = List3->currentRow();
    if (!inNamedCatalogue(am, ac, as) || !inNamedCatalogue(bm, bc, bs))
        return;
    sel.curMinor = static_cast<std::int16_t>(ac);
    const ProgramEntry& atA = state_.catalogue.at(am, ac, as);
    const ProgramEntry& atB = state_.catalogue.at(bm, bc, bs);
    if (atA.name.empty() || atB.name.empty())
        return;
    ProgramEntry a = atB;
    placeEntry(a, am, ac, as, atA.majorName, atA.minorName);
    ProgramEntry b = atA;
    placeEntry(b, bm, bc, bs, utf8(List1->currentItem()->text()), utf8(List2->currentItem()->text()));
    if (!reported(checkWritable(a)) || !reported(checkWritable(b)))
        return;

    state_.catalogue.at(am, ac, as) = a;
    state_.catalogue.at(bm, bc, bs) = b;
    Status written = saveProgramEntry(state_, am, ac, as);
    keepFirstFailure(written, sortMinorCategory(state_, am, ac));
    const auto at = locateEntry(state_, bm, b);
    const int column = at ? at->first : bc;
    sel.curMajor = static_cast<std::int16_t>(bm);
    sel.curMinor = static_cast<std::int16_t>(column);
    keepFirstFailure(written, sortMinorCategory(state_, bm, column));
    reported(written);
    link_.closePopups();
    accept();
}

void Form6::Command6_Click()
{
    int m = 0, c = 0, s = 0;
    if (!confirmedSelection(QStringLiteral("你确定要删除该分类吗?"), m, c, s))
        return;

    // Into the first free record of the unclassified list; when the list has no free record (or
    // there is no list) the program is dropped, as the user asked for it to go.
    bool moved = false;
    if (state_.settings.wcount > 0) {
        auto into = moveToUnclassified(state_, m, c, s);
        if (!into) {
            reported(into.error()); // the list could not be read or written: nothing changed
            return;
        }
        moved = into.value() > 0;
    }
    if (!moved)
        clearTakenOutEntry(state_.catalogue.at(m, c, s));
    const Status done = sortMinorCategory(state_, m, c);

    {
        const QSignalBlocker quiet(List3);
        delete List3->takeItem(List3->currentRow());
        List3->setCurrentRow(-1);
    }
    Label3->clear();
    setLimitedText(Text1, QString(), kTitleChars);
    setText2(QString());

    if (state_.settings.ycount > 0)
        state_.settings.ycount = static_cast<std::int16_t>(state_.settings.ycount - 1);
    const bool countWritten = storeCount();
    ListedMinor = minorColumn(state_, m, List2->currentRow());
    link_.closePopups(); // rebuilt without the program on next use
    reportWritten(done, countWritten);
}

void Form6::Command8_Click()
{
    int m = 0, c = 0, s = 0;
    if (!confirmedSelection(QStringLiteral("确定要更改标题或说明吗！"), m, c, s))
        return;
    ProgramEntry changed = state_.catalogue.at(m, c, s);
    changed.title = utf8(trimBlanks(Text1->text()));
    changed.description = utf8(trimBlanks(Text2->toPlainText()));
    if (!reported(checkWritable(changed)))
        return;
    state_.catalogue.at(m, c, s) = changed;
    link_.closePopups(); // rebuilt with the new title on next use
    reported(saveProgramEntry(state_, m, c, s));
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
    const Selection& sel = state_.sel;
    if (sel.curGroup < 0 || sel.curGroup >= kGroups || sel.curPosition < 0 || sel.curPosition >= kUsedPositions)
        return;
    makeCurrent(m, c, s);
    const ProgramEntry& e = state_.catalogue.at(m, c, s);
    if (e.name.empty() || e.recordNo < 1)
        return;
    ComboEntry combo = state_.combos.at(sel.curGroup, sel.curPosition);
    if (combo.groupName.empty())
        return; // no combination there to add to
    int member = 0;
    while (member < 5 && combo.programs[static_cast<std::size_t>(member)] != 0)
        ++member;
    if (member == 5)
        return; // five members already: nothing happens
    combo.programs[static_cast<std::size_t>(member)] = e.recordNo;
    combo.programCount = static_cast<std::int16_t>(combo.programCount + 1);
    combo.description += e.name + "+";
    if (combo.useCounter == 0)
        combo.useCounter = 1;
    if (!reported(checkWritable(combo)))
        return;

    state_.combos.at(sel.curGroup, sel.curPosition) = combo;
    if (memberAdded)
        memberAdded(qs(combo.description), qs(e.name));
    reported(sortComboGroup(state_, sel.curGroup));
    accept();
}

} // namespace qbx
