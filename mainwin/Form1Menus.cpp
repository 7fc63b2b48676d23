// The main window's buttons "设置" and "操作", their menus, and the introduction.

#include "Form1.h"

#include "TrayIcon.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Paths.h"
#include "store/AppState.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace qbx {

void Form1::buildMenus()
{
    sz = new QMenu(QStringLiteral("设置"), this);
    sz->setObjectName(QStringLiteral("sz"));
    fl = sz->addAction(QStringLiteral("分类程序设置"));
    cx = sz->addAction(QStringLiteral("程序组合设置"));
    xt = sz->addAction(QStringLiteral("系统设置"));

    cz = new QMenu(QStringLiteral("操作"), this);
    cz->setObjectName(QStringLiteral("cz"));
    zx = cz->addAction(QStringLiteral("最小化"));
    yc = cz->addAction(QStringLiteral("不自动隐藏"));
    cz->addSeparator()->setObjectName(QStringLiteral("zz"));
    gu = cz->addAction(QStringLiteral("关于"));
    bz = cz->addAction(QStringLiteral("帮助"));
    cz->addSeparator()->setObjectName(QStringLiteral("z"));
    tc = cz->addAction(QStringLiteral("退出"));

    const std::array<std::pair<QAction*, const char*>, 8> names{
        {{fl, "fl"}, {cx, "cx"}, {xt, "xt"}, {zx, "zx"}, {yc, "yc"}, {gu, "gu"}, {bz, "bz"}, {tc, "tc"}}};
    for (const auto& [action, name] : names)
        action->setObjectName(QString::fromLatin1(name));

    connect(fl, &QAction::triggered, this, &Form1::classificationEditorRequested);
    connect(cx, &QAction::triggered, this, &Form1::comboEditorRequested);
    connect(xt, &QAction::triggered, this, &Form1::systemSettingsRequested);
    connect(zx, &QAction::triggered, this, &Form1::minimiseRequested);
    connect(yc, &QAction::triggered, this, &Form1::autoHideSwitchRequested);
    connect(gu, &QAction::triggered, this, [this] {
        setHideTimers(true);
        emit aboutRequested();
    });
    connect(bz, &QAction::triggered, this, &Form1::bz_Click);
    connect(tc, &QAction::triggered, this, &Form1::tc_Click);
}

// ---- buttons, menu items, the program icon ----

void Form1::Command1_Click()
{
    setHideTimers(false);
    sz->popup(desktop_.cursorPos().value_or(QCursor::pos()));
}

void Form1::Command2_Click()
{
    setHideTimers(false);
    cz->popup(desktop_.cursorPos().value_or(QCursor::pos()));
}

void Form1::Image4_Click()
{
    bz_Click();
}

void Form1::bz_Click()
{
    guarded(lcWindows, "bz_Click", [this] {
        const QString intro = pathText(state_.file("Quillbox介绍.txt"));
        // Without a text application the click would otherwise do nothing at all; the opener
        // may find that out only after it started.
        const auto tell = [this, intro] {
            desktop_.message(this, QStringLiteral("无法打开软件介绍：") + intro);
        };
        if (!desktop_.openWithDefaultApp(intro, this, tell))
            tell();
    });
}

void Form1::tc_Click()
{
    if (tray_)
        tray_->remove();
    emit quitRequested();
}

} // namespace qbx
