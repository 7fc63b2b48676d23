// The system settings with this platform's desktop, in a temporary program folder and config
// folder (XDG_CONFIG_HOME):
//
//   OpenSystemSettings  the dialog built and loaded: it writes the login entry, the start mode
//                       and both delays again, as opening it does
//   ChooseMainDelay     one choice in the first list: the value written and announced
//   ChooseStartMode     one start option: the login entry and the start mode written

#include "core/Launcher.h"
#include "platform/NativeDesktop.h"
#include "platform/Paths.h"
#include "settings/Form4.h"
#include "store/AppState.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include <memory>

namespace {

using namespace qbx;

struct Folder {
    QTemporaryDir dir;
    AppState state;
    std::unique_ptr<Desktop> desktop = createNativeDesktop();
    std::unique_ptr<Launcher> launcher;

    Folder()
    {
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/config").toUtf8());
        state.appDir = textPath(dir.path());
        state.settings.startMode = 2;
        state.settings.mainHideDelayMs = 2500;
        launcher = std::make_unique<Launcher>(state, *desktop);
    }
};

void OpenSystemSettings(benchmark::State& st)
{
    Folder f;
    for (auto _ : st) {
        Form4 form;
        QObject::connect(&form, &Form4::startModeChosen, f.launcher.get(), &Launcher::chooseStartMode);
        QObject::connect(&form, &Form4::mainDelayChosen, f.launcher.get(), &Launcher::chooseMainDelay);
        QObject::connect(&form, &Form4::categoryDelayChosen, f.launcher.get(),
                         &Launcher::chooseCategoryDelay);
        f.launcher->beginSettingsRound();
        const Settings& now = f.state.settings;
        form.load(now.startMode, now.mainHideDelayMs, now.categoryHideDelayMs);
    }
}

void ChooseMainDelay(benchmark::State& st)
{
    Folder f;
    int seconds = 1;
    for (auto _ : st) {
        f.launcher->chooseMainDelay(seconds);
        seconds = seconds % 5 + 1;
    }
}

void ChooseStartMode(benchmark::State& st)
{
    Folder f;
    int option = 1;
    for (auto _ : st) {
        f.launcher->chooseStartMode(option);
        option = option % 4 + 1;
    }
}

BENCHMARK(OpenSystemSettings)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChooseMainDelay)->Unit(benchmark::kMicrosecond);
BENCHMARK(ChooseStartMode)->Unit(benchmark::kMicrosecond);

} // namespace
