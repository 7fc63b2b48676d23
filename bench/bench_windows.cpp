// The main window's navigation on the offscreen platform: the pointer moving on to a tile's
// arrow strip until the pop-up is placed and filled, and the pointer resting on a pop-up column
// until the category window is placed and filled with five icons. Two settings: programs with
// .ico files of their own, read through the platform's icon reader; and (…Installed) programs
// that are installed applications with SVG icons in the user's hicolor theme
// (bench/installed_setting.py, 1000 desktop entries), drawn by this platform's desktop from its
// icon cache once it was checked after the first paint, as the program does. In the second
// setting also the program editor's application picker, opened and painted.

#include "catwin/Form3.h"
#include "core/Launcher.h"
#include "editing/ApplicationPicker.h"
#include "mainwin/Form1.h"
#include "mainwin/Form2.h"
#include "platform/NativeDesktop.h"
#include "platform/Paths.h"
#include "platform/fake/FakeDesktop.h"
#include "store/AppState.h"
#include "store/Catalogue.h"
#include "store/Store.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

// Files major 0's first five slots of every minor category: program(minor, slot) gives the path.
template <typename ProgramPath>
void fillMajor0(qbx::AppState& state, ProgramPath program)
{
    for (int minor = 0; minor < qbx::kMinors; ++minor)
        for (int slot = 0; slot < 5; ++slot) {
            qbx::ProgramEntry& e = state.catalogue.at(0, minor, slot);
            e.name = std::string("p").append(std::to_string(minor * 5 + slot));
            e.exePath = program(minor, slot).toStdString();
            e.title = e.name;
            e.minorName = qbx::minorNames(0)[static_cast<std::size_t>(minor)];
            e.useCounter = 100 - minor * 5 - slot;
        }
    qbx::rebuildSlotMap(state);
}

struct Fixture {
    QTemporaryDir dir;
    qbx::AppState state;
    std::unique_ptr<qbx::Desktop> desktop;
    std::unique_ptr<qbx::Launcher> core;
    std::unique_ptr<qbx::Form1> form;

    // Every program its own icon file.
    Fixture()
    {
        state.appDir = qbx::textPath(dir.path());
        auto fake = std::make_unique<qbx::FakeDesktop>();
        fake->setScreenGeometry(QRect(0, 0, 1920, 1080));
        fake->setUseRealIcons(true);
        desktop = std::move(fake);
        core = std::make_unique<qbx::Launcher>(state, *desktop);
        form = std::make_unique<qbx::Form1>(*core);
        form->load();
        fillMajor0(state, [this](int minor, int slot) {
            const QString path = dir.path() + QStringLiteral("/p%1%2.ico").arg(minor).arg(slot);
            QImage img(32, 32, QImage::Format_ARGB32);
            img.fill(QColor(40 * slot, 50 * minor, 120));
            img.save(path, "ICO");
            return path;
        });
    }

    // Installed applications with theme icons, through this platform's desktop and its cache.
    explicit Fixture(int applications)
    {
        state.appDir = qbx::textPath(dir.path());
        const QString root = dir.path() + QStringLiteral("/installed");
        const int built = QProcess::execute(QStringLiteral("/usr/bin/python3"),
                                            {QStringLiteral(QBX_SOURCE_DIR "/bench/installed_setting.py"),
                                             root, QStringLiteral("--apps"), QString::number(applications)});
        if (built != 0)
            qFatal("bench/installed_setting.py failed");
        qputenv("XDG_DATA_HOME", (root + QStringLiteral("/share")).toUtf8());
        qputenv("XDG_CACHE_HOME", (dir.path() + QStringLiteral("/cache")).toUtf8());
        desktop = qbx::createNativeDesktop();
        core = std::make_unique<qbx::Launcher>(state, *desktop);
        form = std::make_unique<qbx::Form1>(*core);
        form->load();
        fillMajor0(state, [&root](int minor, int slot) {
            return root + QStringLiteral("/bin/prog%1").arg(minor * 25 + slot + 1);
        });
        // The check after the first paint, waited for.
        QEventLoop loop;
        desktop->refreshProgramIcons(qbx::Form1::programsShown(state), qbx::PictureBox::kIconSize, &loop,
                                     [&loop](const QStringList&) { loop.quit(); });
        loop.exec();
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

Fixture& installedFixture()
{
    static Fixture f(1000);
    return f;
}

void hoverToPopupFilled(benchmark::State& st, Fixture& f)
{
    for (auto _ : st) {
        f.form->Picture1_MouseMove(0, Qt::NoButton, 500, 500); // the tile: hides the pop-up
        f.form->Image2_MouseMove(0, Qt::NoButton, 100, 500);   // the arrow: places and fills it
        benchmark::DoNotOptimize(f.form->popup()->Picture1[4]->hasDrawing());
    }
}
void BM_HoverToPopupFilled(benchmark::State& st)
{
    hoverToPopupFilled(st, fixture());
}
BENCHMARK(BM_HoverToPopupFilled)->Unit(benchmark::kMicrosecond);

void BM_HoverToPopupFilledInstalled(benchmark::State& st)
{
    hoverToPopupFilled(st, installedFixture());
}
BENCHMARK(BM_HoverToPopupFilledInstalled)->Unit(benchmark::kMicrosecond);

void categoryWindowFilled(benchmark::State& st, Fixture& f)
{
    f.form->Image2_MouseMove(0, Qt::NoButton, 100, 500);
    qbx::Form2& popup = *f.form->popup();
    popup.Label1_MouseMove(0);
    // The category window stays loaded while the pointer moves along the pop-up.
    const auto* lastCell =
        f.form->categoryWindow()->findChild<qbx::PictureBox*>(QStringLiteral("Picture1_4"));
    int k = 0;
    for (auto _ : st) {
        popup.Label1_MouseMove(k);
        k = (k + 1) % qbx::Form2::kColumns;
        benchmark::DoNotOptimize(lastCell->hasDrawing());
    }
}
void BM_CategoryWindowFilled(benchmark::State& st)
{
    categoryWindowFilled(st, fixture());
}
BENCHMARK(BM_CategoryWindowFilled)->Unit(benchmark::kMicrosecond);

void BM_CategoryWindowFilledInstalled(benchmark::State& st)
{
    categoryWindowFilled(st, installedFixture());
}
BENCHMARK(BM_CategoryWindowFilledInstalled)->Unit(benchmark::kMicrosecond);

// The application picker of the program editor opened (every installed application listed, the
// visible rows painted) and closed, the first time in the run and again.
void pickerOpened(benchmark::State& st)
{
    qbx::Desktop& desktop = *installedFixture().desktop;
    for (auto _ : st) {
        qbx::ApplicationPicker picker(desktop.installedApplications(), desktop);
        picker.show();
        QCoreApplication::processEvents();
        picker.grab(); // painted, with the icons of the rows one sees
        st.PauseTiming();
        picker.hide();
        QCoreApplication::processEvents();
        st.ResumeTiming();
    }
}
void BM_ApplicationPickerFirstInstalled(benchmark::State& st)
{
    pickerOpened(st);
}
BENCHMARK(BM_ApplicationPickerFirstInstalled)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_ApplicationPickerAgainInstalled(benchmark::State& st)
{
    pickerOpened(st);
}
BENCHMARK(BM_ApplicationPickerAgainInstalled)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture().form.reset();
    installedFixture().form.reset();
    return 0;
}
