#include "Menu1.h"

#include "platform/Text.h"
#include "store/AppState.h"

namespace qbx {

Menu1::Menu1(QWidget* parent) : QMenu(QStringLiteral("菜单1"), parent)
{
    setObjectName(QStringLiteral("menu1"));
    const auto item = [this](const char* caption, const char* name, void (Menu1::*chosen)()) {
        QAction* a = addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, chosen);
        return a;
    };
    dk = item("打开", "dk", &Menu1::openChosen);
    tj = item("添加软件", "tj", &Menu1::addChosen);
    th = item("交换分类", "th", &Menu1::exchangeChosen);
    gg = item("更改分类", "gg", &Menu1::changeChosen);
    sc = item("删除分类", "sc", &Menu1::takeOutChosen);
    bt = item("更改标题", "bt", &Menu1::retitleChosen);

    mll = addMenu(QStringLiteral("目录"));
    mll->setObjectName(QStringLiteral("mll"));
    mll->menuAction()->setObjectName(QStringLiteral("mll"));
    // The folder opens as the submenu does, once an opening of the menu.
    connect(mll, &QMenu::aboutToShow, this, [this] {
        if (folderShown_)
            return;
        folderShown_ = true;
        emit folderChosen();
    });
    qb = mll->addAction(QStringLiteral("该类全部"));
    qb->setObjectName(QStringLiteral("qb"));
    for (int i = 0; i < kListed; ++i) {
        QAction* a = mll->addAction(QString());
        a->setObjectName(QStringLiteral("qd1_%1").arg(i));
        a->setVisible(i == 0);
        connect(a, &QAction::triggered, this, [this, i] { emit slotChosen(i); });
        qd1[static_cast<std::size_t>(i)] = a;
    }

    sx = item("软件属性", "sx", &Menu1::propertiesChosen);
    zh = item("程序组合", "zh", &Menu1::combinationsChosen);
}

void Menu1::prepareForCell(const AppState& state, int major, int minor, int slot)
{
    prepare(state, major, minor, slot);
}

void Menu1::prepareForTile(const AppState& state, int major)
{
    prepare(state, major, 0, 0);
}

void Menu1::prepare(const AppState& state, int major, int minor, int slot)
{
    major_ = major;
    minor_ = minor;
    slot_ = slot;
    folderShown_ = false;
    const bool valid = inCatalogue(major, minor, 0) && slot >= 0 && slot < kSlots;
    const bool combinations = major == kComboMajor;
    const bool filled = valid && !combinations && !state.catalogue.at(major, minor, slot).name.empty();
    for (QAction* a : {th, gg, sc, bt, mll->menuAction(), sx})
        a->setEnabled(filled);
    tj->setEnabled(!combinations);
    qb->setEnabled(!combinations);
    zh->setEnabled(combinations);

    // The list of the whole minor category: "slot+1 name" for each filed program; an empty
    // first item stays, without a caption.
    for (int i = 0; i < kListed; ++i) {
        QAction* a = qd1[static_cast<std::size_t>(i)];
        const ProgramEntry* e = valid ? &state.catalogue.at(major, minor, i) : nullptr;
        if (e && !e->name.empty()) {
            a->setText(QString::number(e->slot + 1) + QStringLiteral(" ") + qs(e->name));
            a->setVisible(true);
        } else {
            a->setText(QString());
            a->setVisible(i == 0);
        }
    }
}

} // namespace qbx
