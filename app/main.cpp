// Quillbox: the data folder is chosen (the program folder when writable) and claimed, so that
// one process works on it; the core reads it while the main window is shown and builds its
// controls, then the window is loaded and wired to it.
// A second start hands over to the running one, which shows its window, and ends.
//
//   qbx           starts the program (or shows the running one)
//   qbx --find    the same, with the find box "查找程序" open

#include "QtTranslations.h"
#include "SingleInstance.h"
#include "StartUpFiles.h"
#include "Wiring.h"
#include "core/Launcher.h"
#include "generated/Version.h"
#include "mainwin/Form1.h"
#include "platform/DesktopIconTheme.h"
#include "platform/NativeDesktop.h"
#include "platform/Paths.h"
#include "platform/StartupTrace.h"
#include "store/AppState.h"
#include "store/DataFolder.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

namespace {

// The windows place themselves at exact screen positions (and off the screen while hidden),
// which Wayland does not allow: there the program runs through XWayland.
void preferX11OnWayland()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        qputenv("QT_QPA_PLATFORM", "xcb");
}

// What the command line asks for: nullopt (after a short usage on standard error) for anything
// but the one option. Qt's own options (-platform, -display ...) are taken by QApplication first.
std::optional<qbx::SingleInstance::Request> requestOf(const QStringList& arguments)
{
    if (arguments.size() <= 1)
        return qbx::SingleInstance::Show;
    if (arguments.size() == 2 && arguments[1] == QLatin1String("--find"))
        return qbx::SingleInstance::Find;
    std::fprintf(stderr, "usage: qbx [--find]\n  --find  open the find box of the running Quillbox "
                         "(starting one when none runs)\n");
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    qbx::startup::begin();
    preferX11OnWayland();
    QApplication app(argc, argv);
    qbx::startup::checkpoint("the application object");
    const std::optional<qbx::SingleInstance::Request> request = requestOf(QCoreApplication::arguments());
    if (!request)
        return 2;
    QApplication::setApplicationName(QStringLiteral("Quillbox"));
    QApplication::setApplicationVersion(QStringLiteral(QBX_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    qbx::followDesktopIconTheme();
    qbx::loadQtChineseTranslations(app);
    qbx::startup::checkpoint("icon theme and translations");

    qbx::AppState state;
    state.appDir = qbx::textPath(QCoreApplication::applicationDirPath());
    state.dataDir = qbx::dataFolderFor(state.appDir);
    // The folder is claimed before anything in it is prepared: a second start never touches the
    // data files. The lock is taken on the folder itself, so it is made (empty) first.
    std::error_code made;
    std::filesystem::create_directories(state.dataDir, made);
    qbx::SingleInstance instance(state.dataFolder());
    switch (instance.claim(*request)) {
    case qbx::SingleInstance::HandedOver:
        return 0;
    case qbx::SingleInstance::Failed:
        std::fprintf(stderr, "qbx: another Quillbox holds %s but does not answer\n", state.dataDir.c_str());
        return 1;
    case qbx::SingleInstance::First:
        break;
    }
    std::unique_ptr<qbx::Desktop> desktop = qbx::createNativeDesktop();
    if (std::string why; !qbx::prepareDataFolder(state.appDir, state.dataDir, why)) {
        std::fprintf(stderr, "qbx: cannot prepare the data folder %s: %s\n", state.dataDir.c_str(),
                     why.c_str());
        desktop->message(nullptr, QStringLiteral("无法建立数据文件夹：") + qbx::pathText(state.dataDir));
    }
    qbx::startup::checkpoint("data folder and single instance");
    qbx::Launcher launcher(state, *desktop);
    // The settings, catalogue and first pictures are read on their own thread while the main
    // window is shown and builds its controls; the window is loaded once they are read.
    qbx::StartUpFiles files(launcher, qbx::Form1::picturesShownFirst(state.appDir),
                            qbx::Form1::programsShownFirst, app.devicePixelRatio());
    // The window is shown as soon as the settings say where, empty, and is built and filled
    // while the window manager maps it: nothing is painted before the event loop runs. Until it
    // is shown nothing else starts that would compete with it (the pictures' image plug-ins, the
    // font configuration the controls' text reads).
    qbx::Form1 form1(launcher);
    form1.showAtStart(files.startMode());
    files.windowShown();
    qbx::startup::checkpoint("the main window shown");
    form1.build();
    files.finish();
    qbx::startup::checkpoint("waiting for the data files and pictures");
    form1.load();
    qbx::startup::checkpoint("the main window");
    qbx::Wiring wiring(launcher, form1);
    QObject::connect(&instance, &qbx::SingleInstance::showRequested, &form1, &qbx::Form1::bringBack);
    QObject::connect(&instance, &qbx::SingleInstance::findRequested, &form1, [&form1, &wiring] {
        form1.bringBack();
        wiring.openFindBox();
    });
    // Once the window is up, the program icons kept between starts are checked (and those the
    // windows may show drawn) away from the GUI thread; the tiles are redrawn when theirs changed.
    // gsettings, a program of its own, is asked then too; the icons follow its answer.
    const auto checkIcons = [&state, &desktop, &form1] {
        const int devicePixels = std::max(1, qRound(qbx::PictureBox::kIconSize * form1.devicePixelRatioF()));
        desktop->refreshProgramIcons(qbx::Form1::programsShown(state), devicePixels, &form1,
                                     [&form1](const QStringList& changed) {
                                         if (!changed.isEmpty())
                                             form1.refreshTileIcons();
                                     });
    };
    QObject::connect(&form1, &qbx::Form1::startUpFinished, &form1, [&form1, checkIcons] {
        checkIcons();
        qbx::askDesktopIconTheme(&form1, [&form1, checkIcons] {
            form1.refreshTileIcons();
            checkIcons();
        });
    });
    if (*request == qbx::SingleInstance::Find)
        QTimer::singleShot(0, &wiring, [&wiring] { wiring.openFindBox(); });
    qbx::startup::checkpoint("wiring");
    qbx::startup::untilExposed(form1.windowHandle());
    return QApplication::exec();
}
