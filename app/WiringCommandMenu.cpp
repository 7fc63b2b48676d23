// The command menu "菜单1" of a program: a right release on an icon of the category window or
// on a main-window tile opens it for that place, and each of its commands acts on that place.

#include "Wiring.h"

#include "catwin/Form3.h"
#include "catwin/Menu1.h"
#include "core/Launcher.h"
#include "editing/EditReport.h"
#include "editing/Form6.h"
#include "editing/Form8.h"
#include "mainwin/Form1.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Text.h"
#include "store/AppState.h"

#include <QCursor>

namespace qbx {

void Wiring::wireCommandMenu()
{
    menu1_ = new Menu1(&form1_);
    Menu1& menu = *menu1_;
    const auto popUp = [this] { menu1_->popup(launcher_.desktop().cursorPos().value_or(QCursor::pos())); };
    // The program the menu was opened for, made the selection again (an editor opens on it).
    const auto selectPlace = [this] { launcher_.select(menu1_->major(), menu1_->minor(), menu1_->slot()); };
    const auto entry = [this]() -> const ProgramEntry* {
        if (!inCatalogue(menu1_->major(), menu1_->minor(), menu1_->slot()))
            return nullptr;
        return &launcher_.state().catalogue.at(menu1_->major(), menu1_->minor(), menu1_->slot());
    };

    // A right release on an icon of the category window (its slot is selected already): both
    // hide timers stop while the menu is used. On a tile (its first minor category selected):
    // the timers are left as they are.
    connect(&form1_, &Form1::categoryIconReleased, this, [this, popUp](int, Qt::MouseButton button) {
        if (button != Qt::RightButton)
            return;
        const Selection& sel = launcher_.state().sel;
        form1_.setHideTimers(false);
        menu1_->prepareForCell(launcher_.state(), sel.curMajor, sel.curMinor, sel.curSlot);
        popUp();
    });
    connect(&form1_, &Form1::tileReleased, this, [this, popUp](int tile, Qt::MouseButton button) {
        if (button != Qt::RightButton)
            return;
        menu1_->prepareForTile(launcher_.state(), tile);
        popUp();
    });

    // "打开": starts what the place holds; the pop-up and the category window close after a
    // start or the reserved category's message. The timers are left as they are.
    connect(&menu, &Menu1::openChosen, this, [this] {
        switch (launcher_.startEntry(menu1_->major(), menu1_->minor(), menu1_->slot())) {
        case StartOutcome::Nothing:
            return;
        case StartOutcome::Started:
            break;
        case StartOutcome::Reserved:
            launcher_.desktop().message(&form1_, QStringLiteral("下个版本才有呢!"));
            break;
        }
        form1_.closePopups();
    });

    // "添加软件", "交换分类", "更改分类": the pop-up and the category window close (rebuilt from
    // the changed catalogue next time) and the classification editor opens on the place, which
    // its "更改" and "替换" move.
    const auto openEditor = [this, selectPlace](Form6Mode mode) {
        selectPlace();
        const ProgramPlace place{menu1_->major(), menu1_->minor(), menu1_->slot()};
        form1_.closePopups();
        Form6 form6(launcher_, form1_);
        form6.openModal(mode, place);
    };
    connect(&menu, &Menu1::addChosen, this, [openEditor] { openEditor(Form6Mode::AddProgram); });
    connect(&menu, &Menu1::exchangeChosen, this, [openEditor, entry] {
        if (const ProgramEntry* e = entry(); e && !e->name.empty())
            openEditor(Form6Mode::ExchangeCategory);
    });
    connect(&menu, &Menu1::changeChosen, this, [openEditor] { openEditor(Form6Mode::ChangeCategory); });

    // "删除分类": asked first; the program goes into the list of programs taken out (or, told
    // beforehand, is dropped when that list is full) and the windows close.
    connect(&menu, &Menu1::takeOutChosen, this, [this, selectPlace] {
        if (!launcher_.desktop().confirm(&form1_, QStringLiteral("你确定要删除该分类吗?")))
            return;
        selectPlace();
        takeOutAgreed(launcher_, &form1_, menu1_->major(), menu1_->minor(), menu1_->slot());
        form1_.closePopups();
    });

    // "更改标题": the windows close and the change-title dialog opens, modal.
    connect(&menu, &Menu1::retitleChosen, this, [this, selectPlace] {
        selectPlace();
        form1_.closePopups();
        Form8 form8(launcher_, form1_, menu1_->major(), menu1_->minor(), menu1_->slot());
        form8.exec();
    });

    // "目录": the program's folder in the file manager. An item of its list starts that slot of
    // the minor category; both leave the windows open.
    connect(&menu, &Menu1::folderChosen, this, [this, entry] {
        const ProgramEntry* e = entry();
        if (e && !e->exePath.empty() && !launcher_.desktop().showProgramFolder(qs(e->exePath)))
            qCInfo(lcStart, "the folder of %s was not shown", e->exePath.c_str());
    });
    connect(&menu, &Menu1::slotChosen, this, [this](int slot) {
        if (!launcher_.startProgram(menu1_->major(), menu1_->minor(), slot))
            qCInfo(lcStart, "nothing to start in slot %d", slot);
    });

    // "软件属性": the properties of the program's file, owned by the main window (the category
    // window hides by itself once the pointer is away, and would take the dialog with it).
    connect(&menu, &Menu1::propertiesChosen, this, [this, entry] {
        const ProgramEntry* e = entry();
        if (!e || e->exePath.empty())
            return;
        launcher_.desktop().showFileProperties(&form1_, qs(e->exePath));
    });

    // "程序组合": the windows close and the combination editor opens.
    connect(&menu, &Menu1::combinationsChosen, this, [this] {
        form1_.closePopups();
        openComboEditor();
    });
}

} // namespace qbx
