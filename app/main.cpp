// Quillbox: the core reads the program folder (the folder of the executable), then the main
// window is loaded and wired to it.

#include "AppState.h"
#include "Form1.h"
#include "IconTheme.h"
#include "Launcher.h"
#include "NativeDesktop.h"
#include "Paths.h"
#include "QtTranslations.h"
#include "Version.h"
#include "Wiring.h"

#include <QApplication>

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

} // namespace

int main(int argc, char** argv)
{
    preferX11OnWayland();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillbox"));
    QApplication::setApplicationVersion(QStringLiteral(QBX_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    qbx::followDesktopIconTheme();
    qbx::loadQtChineseTranslations(app);

    qbx::AppState state;
    state.appDir = qbx::textPath(QCoreApplication::applicationDirPath());
    std::unique_ptr<qbx::Desktop> desktop = qbx::createNativeDesktop();
    qbx::Launcher launcher(state, *desktop);
    launcher.startUp();

    qbx::Form1 form1(state, *desktop);
    qbx::Wiring wiring(launcher, form1);
    form1.show();
    return QApplication::exec();
}
