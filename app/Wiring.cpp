// Every connection between the windows and the core, one block a window. Read it to answer
// "what happens when ...": each block names the user's action (a window's signal), what the
// core does for it, and what the windows show afterwards.
//
// How a new window plugs in: give it signals for what the user does in it (or, a dialog that
// edits data, a `Launcher&` to call), add one wire...() block here that connects those signals
// to the core's operations and the core's signals to the window's redraws, and call it from the
// constructor. A window opened from a menu is created in the lambda of its menu signal.

#include "Wiring.h"

#include "FirstStartOffer.h"
#include "catwin/Form3.h"
#include "combos/Form10.h"
#include "combos/Form9.h"
#include "core/Launcher.h"
#include "editing/Form6.h"
#include "find/FindBox.h"
#include "generated/Version.h"
#include "mainwin/Form1.h"
#include "mainwin/TrayIcon.h"
#include "platform/Desktop.h"
#include "settings/About.h"
#include "settings/Form4.h"

#include <QCoreApplication>
#include <QKeySequenceEdit>
#include <QTimer>
#include <QVersionNumber>

namespace qbx {

Wiring::Wiring(Launcher& launcher, Form1& form1, QObject* parent)
    : QObject(parent), launcher_(launcher), form1_(form1), sound_(launcher.state().appDir)
{
    wireMainWindow();
    wireCategoryWindow();
    wireMenus();
    wireSettings();
    wireTray();
    wireCombinations();
    wireCommandMenu();
    wireFirstStart();
    wireFind();
}

Wiring::~Wiring()
{
    delete report_;
}

void Wiring::wireMainWindow()
{
    // A press on a tile clicks.
    connect(&form1_, &Form1::tilePressed, this, [this] { sound_.PlayClickSound(); });

    // A release on a tile: the left button selects the first entry of the current category and
    // starts the tile's most used program (tiles 0-4), the most used combination (tile 5) or says
    // that tile 6 comes later; the right button selects the tile's first minor category for its
    // command menu.
    connect(&form1_, &Form1::tileReleased, this, [this](int tile, Qt::MouseButton button) {
        if (button == Qt::LeftButton) {
            launcher_.select(launcher_.state().sel.curMajor, 0, 0);
            if (tile < kNamedMajors)
                launcher_.startFavourite(tile);
            else if (tile == kComboMajor)
                launcher_.launchCombination(0, 0);
            else
                launcher_.desktop().message(&form1_, QStringLiteral("下一个版本才有呢！"));
        } else if (button == Qt::RightButton) {
            launcher_.select(tile, 0, 0);
        }
    });

    // A start re-orders the catalogue: the tiles show the new favourites.
    connect(&launcher_, &Launcher::tilesChanged, &form1_, &Form1::refreshTileIcons);
    // A program that would not start (its file gone, say) is counted all the same; a short
    // notice that needs no answer says so.
    connect(&launcher_, &Launcher::programNotStarted, &form1_,
            [this](const QString& path) { form1_.showNotice(QStringLiteral("无法启动：") + path); });
    // A use that could not be written is not counted; the same kind of notice says why.
    connect(&launcher_, &Launcher::useNotCounted, &form1_, &Form1::showNotice);
}

void Wiring::wireFirstStart()
{
    // Once the main window has painted its first frame (the application folders are read only
    // then): an empty catalogue on a machine with applications asks once whether to file them; the
    // tiles then show them through the core's signals. The question waits for the other work of
    // that moment, which its dialog would hold up.
    connect(&form1_, &Form1::startUpFinished, this, [this] {
        QTimer::singleShot(0, &form1_, [this] { offerInstalledApplications(launcher_, &form1_); });
    });
}

void Wiring::wireCategoryWindow()
{
    // A press on an icon of the category window clicks.
    connect(&form1_, &Form1::categoryIconPressed, this, [this] { sound_.PlayClickSound(); });

    // A release on an icon selects the slot it shows; any button but the right starts what the
    // icon shows (the right one is for the window's command menu). After a start the pop-up and
    // the category window are unloaded; after a start or the reserved category's message both
    // hide timers run again.
    connect(&form1_, &Form1::categoryIconReleased, this, [this](int cell, Qt::MouseButton button) {
        launcher_.selectSlot(form1_.categorySlot(cell));
        const Selection& sel = launcher_.state().sel;
        if (button == Qt::RightButton)
            return;
        switch (launcher_.startEntry(sel.curMajor, sel.curMinor, sel.curSlot)) {
        case StartOutcome::Nothing:
            return;
        case StartOutcome::Started:
            form1_.closePopups();
            break;
        case StartOutcome::Reserved:
            launcher_.desktop().message(form1_.categoryWindow(), QStringLiteral("下个版本才有呢!"));
            break;
        }
        form1_.setHideTimers(true);
    });
}

void Wiring::wireMenus()
{
    // "设置" → "分类程序设置": the classification editor, modal.
    connect(&form1_, &Form1::classificationEditorRequested, this, [this] {
        Form6 form6(launcher_, form1_);
        form6.openModal(Form6Mode::ClassifyMenu);
    });
    // "操作" → "最小化" / "显示Quillbox" and "不自动隐藏" / "自动隐藏": the main window's own.
    connect(&form1_, &Form1::minimiseRequested, &form1_, &Form1::minimiseOrShow);
    connect(&form1_, &Form1::autoHideSwitchRequested, &form1_, &Form1::switchAutoHide);
    // "退出", or the main window closed: the program ends.
    connect(&form1_, &Form1::quitRequested, this, [] { QCoreApplication::quit(); });
}

void Wiring::wireSettings()
{
    // "设置" → "系统设置": the dialog, modal. Opening it counts as choosing what it shows, so the
    // values are written again; every choice is written and applied at once, and a write that
    // failed is told. "确定" lets the category window hide again; however the dialog closes, the
    // main window's auto-hide is as the "操作" menu says.
    connect(&form1_, &Form1::systemSettingsRequested, this, [this] {
        Form4 form4(&form1_);
        launcher_.beginSettingsRound();
        const auto tell = [this, &form4] {
            QWidget* parent = form4.isVisible() ? static_cast<QWidget*>(&form4) : &form1_;
            for (const QString& failure : launcher_.takeSettingsFailures())
                launcher_.desktop().message(parent, failure);
        };
        connect(&form4, &Form4::startModeChosen, &form4, [this, tell](int option) {
            launcher_.chooseStartMode(option);
            tell();
        });
        connect(&form4, &Form4::mainDelayChosen, &form4, [this, tell](int seconds) {
            launcher_.chooseMainDelay(seconds);
            tell();
        });
        connect(&form4, &Form4::categoryDelayChosen, &form4, [this, tell](int seconds) {
            launcher_.chooseCategoryDelay(seconds);
            tell();
        });
        // The find box's key combination is taken at once; the dialog says when it cannot be.
        // While the box that records it has the focus, no combination is held, so that pressing
        // the current one records it instead of opening the find box.
        connect(&form4, &Form4::shortcutChosen, &form4, [this, tell, &form4](const QString& keys) {
            launcher_.chooseShortcut(keys);
            form4.showShortcutProblem(bindShortcut(keys));
            if (form4.Shortcut->hasFocus())
                shortcut_->bind(QKeySequence());
            tell();
        });
        connect(&form4, &Form4::shortcutFocused, &form4, [this, &form4](bool focused) {
            if (focused)
                shortcut_->bind(QKeySequence());
            else
                form4.showShortcutProblem(
                    bindShortcut(QString::fromStdString(launcher_.state().settings.shortcut)));
        });
        connect(&form4, &QDialog::accepted, &form1_, [this] { form1_.setCategoryTimer(true); });
        connect(&form4, &QDialog::finished, &form1_, &Form1::restoreAutoHide);
        const Settings& now = launcher_.state().settings;
        form4.load(now.startMode, now.mainHideDelayMs, now.categoryHideDelayMs);
        form4.loadShortcut(QString::fromStdString(now.shortcut));
        form4.showShortcutProblem(shortcutProblem_);
        form4.exec();
        bindShortcut(QString::fromStdString(launcher_.state().settings.shortcut));
    });
    // A chosen delay applies to the running hide timers at once.
    connect(&launcher_, &Launcher::hideDelaysChanged, &form1_, &Form1::setHideDelays);

    // "操作" → "关于": the about box, modeless (the menu has switched both hide timers on).
    connect(&form1_, &Form1::aboutRequested, this, [this] {
        auto* box = new about(launcher_.state().appDir, QCoreApplication::applicationName(),
                              QVersionNumber::fromString(QStringLiteral(QBX_VERSION)), &form1_);
        box->show();
    });
}

void Wiring::wireTray()
{
    // The tray icon: a double click minimises or shows the windows, a right click opens "操作".
    if (TrayIcon* tray = form1_.trayIcon())
        connect(tray, &TrayIcon::activated, &form1_, &Form1::trayActivated);
}

void Wiring::wireCombinations()
{
    // "设置" → "程序组合设置": the combination editor, modal. "新增" in its member mode opens the
    // classification editor to pick one member for the combination being edited.
    connect(&form1_, &Form1::comboEditorRequested, this, &Wiring::openComboEditor);

    // A combination launched (tile 5, or a combination of the category window): the report
    // window at the top-right corner of the column's screen says what became of each member;
    // one still open from an earlier launch starts afresh.
    connect(&launcher_, &Launcher::combinationLaunched, this, [this](const LaunchResult& result) {
        if (!report_)
            report_ = new Form10();
        report_->showReport(result, form1_.columnScreen());
    });
}

void Wiring::openComboEditor()
{
    Form9 form9(launcher_, form1_);
    connect(&form9, &Form9::memberPickerAsked, &form9, [this, &form9](int group, int position) {
        launcher_.selectCombination(group, position);
        Form6 picker(launcher_, form1_, &form9);
        picker.openModal(Form6Mode::AddToCombination);
    });
    form9.openModal();
}

} // namespace qbx
