// The keyboard's way to a program: the find box "查找程序", opened by a key combination from any
// program (or by qbx --find), lists what matches what is typed; choosing an entry starts it as a
// click on it would.

#include "Wiring.h"

#include "core/Launcher.h"
#include "find/FindBox.h"
#include "mainwin/Form1.h"
#include "platform/Desktop.h"
#include "platform/Logging.h"
#include "platform/Memory.h"

#include <QTimer>

#include <algorithm>

namespace qbx {
namespace {

// The applications the box offers besides the filed programs.
QList<InstalledApplication> applicationsToFind(Desktop& desktop)
{
    return desktop.installedApplications();
}

} // namespace

void Wiring::wireFind()
{
    shortcut_ = createGlobalShortcut();
    connect(shortcut_.get(), &GlobalShortcut::activated, this, &Wiring::openFindBox);
    bindShortcut(QString::fromStdString(launcher_.state().settings.shortcut));

    // A start re-sorts, an edit files or moves: the list is made again from the catalogue.
    connect(&launcher_, &Launcher::categoryChanged, this, &Wiring::findIndexChanged);
    connect(&launcher_, &Launcher::combinationsChanged, this, &Wiring::findIndexChanged);
    connect(&launcher_, &Launcher::tilesChanged, this, &Wiring::findIndexChanged);
    // The list, the installed applications and their pinyin are made when the box first opens: a
    // box never opened costs no memory.
}

QString Wiring::bindShortcut(const QString& keys)
{
    switch (shortcut_->bind(QKeySequence(keys, QKeySequence::PortableText))) {
    case GlobalShortcut::Bound:
        shortcutProblem_.clear();
        break;
    case GlobalShortcut::Taken:
        shortcutProblem_ = QStringLiteral("这个快捷键已被其他程序占用，请换一个。");
        break;
    case GlobalShortcut::Unsupported:
        shortcutProblem_ =
            QStringLiteral("这个桌面不允许程序占用快捷键：请在桌面的快捷键设置中把它绑定到“qbx --find”。");
        break;
    }
    return shortcutProblem_;
}

void Wiring::findIndexChanged()
{
    findIndexStale_ = true;
    if (findIndexPending_ || !findBox_)
        return;
    findIndexPending_ = true;
    QTimer::singleShot(0, this, [this] {
        findIndexPending_ = false;
        guarded(lcWindows, "the find box's list", [this] { loadFindIndex(); });
    });
}

void Wiring::loadFindIndex()
{
    const bool firstList = !findBox_;
    if (firstList) {
        installed_ = applicationsToFind(launcher_.desktop());
        findBox_ = std::make_unique<FindBox>(findIndex_, launcher_.desktop());
        connect(findBox_.get(), &FindBox::entryChosen, this, [this](const FindHit& hit) {
            guarded(lcStart, "starting what was found", [&] { startFound(hit); });
        });
    }
    if (!findIndexStale_)
        return;
    findIndex_.loadWithoutWaiting(launcher_.state(), installed_, [this] { findIndexChanged(); });
    findIndexStale_ = false;
    findBox_->refresh();
    // Making the first list frees about as much as the list keeps. Later lists reuse what the one
    // before freed, and giving it back (a few milliseconds on the GUI thread) would follow every
    // start.
    if (firstList)
        releaseFreedMemory();
}

void Wiring::openFindBox()
{
    guarded(lcWindows, "opening the find box", [this] {
        const bool firstOpening = !findBox_;
        loadFindIndex();
        findBox_->open(form1_.columnScreen());
        // Applications installed or removed since the box was last open show from now on (on its
        // first opening the list was just made from them). The desktop's application index
        // answers from memory while its folders and entries keep their times.
        if (firstOpening)
            return;
        QTimer::singleShot(0, this, [this] {
            QList<InstalledApplication> now = applicationsToFind(launcher_.desktop());
            if (now.size() == installed_.size() &&
                std::equal(now.begin(), now.end(), installed_.begin(),
                           [](const auto& a, const auto& b) { return a.path == b.path && a.name == b.name; }))
                return;
            installed_ = std::move(now);
            findIndexStale_ = true;
            loadFindIndex();
        });
    });
}

void Wiring::startFound(const FindHit& hit)
{
    const AppState& state = launcher_.state();
    switch (hit.kind) {
    case FindHit::Program:
        // The list may show a place the catalogue has re-sorted since: nothing starts then.
        if (!inCatalogue(hit.major, hit.minor, hit.slot) ||
            state.catalogue.at(hit.major, hit.minor, hit.slot).exePath != hit.path.toStdString())
            return;
        sound_.PlayClickSound();
        launcher_.select(hit.major, hit.minor, hit.slot);
        launcher_.startEntry(hit.major, hit.minor, hit.slot);
        break;
    case FindHit::Combination:
        sound_.PlayClickSound();
        launcher_.startEntry(kComboMajor, hit.minor, hit.slot);
        break;
    case FindHit::Application:
        sound_.PlayClickSound();
        launcher_.startApplication(hit.path);
        break;
    }
}

} // namespace qbx
