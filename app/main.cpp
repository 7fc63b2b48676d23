// Quillbox: builds the program-wide state, the desktop backend and the main window, which runs
// the start-up steps. The program folder is the folder of the executable.

#include "AppState.h"
#include "Form1.h"
#include "MainWindowActions.h"
#include "Form6.h"
#include "NativeDesktop.h"

#include <QApplication>

#include <filesystem>

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
    QApplication::setQuitOnLastWindowClosed(false);

    qbx::AppState state;
    const QByteArray dir = QCoreApplication::applicationDirPath().toUtf8();
    state.appDir = std::filesystem::u8path(dir.constData());

    std::unique_ptr<qbx::Desktop> desktop = qbx::createNativeDesktop();
    qbx::Form1 form1(state, *desktop);
    qbx::MainWindowActions actions(form1, state, *desktop);
    form1.openClassificationEditor = [&] {
        qbx::Form6 form6(state, *desktop, form1);
        form6.openModal(qbx::Form6Mode::ClassifyMenu);
    };
    form1.show();
    return QApplication::exec();
}
