// The main window's navigation on the offscreen platform: the pointer moving on to a tile's
// arrow strip until the pop-up is placed and filled, and the pointer resting on a pop-up column
// until the category window is placed and filled with five icons. Icons are read from real
// icon files through the platform's icon reader, as the program does.

#include "catwin/Form3.h"
#include "core/Launcher.h"
#include "mainwin/Form1.h"
#include "mainwin/Form2.h"
#include "platform/Paths.h"
#include "platform/fake/FakeDesktop.h"
#include "store/AppState.h"
#include "store/Catalogue.h"
#include "store/Store.h"
#include "ui/PictureBox.h"

#include <QApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

namespace {

struct Fixture {
    QTemporaryDir dir;
    qbx::AppState state;
    qbx::FakeDesktop desktop;
    qbx::Launcher core{state, desktop};
    std::unique_ptr<qbx::Form1> form;

    Fixture()
    {
        state.appDir = qbx::textPath(dir.path());
        desktop.setScreenGeometry(QRect(0, 0, 1920, 1080));
        desktop.setUseRealIcons(true);
        form = std::make_unique<qbx::Form1>(core);
        form->load();
        // Every minor category of major 0 full in its first five slots, each program its own icon file.
        for (int minor = 0; minor < qbx::kMinors; ++minor)
            for (int slot = 0; slot < 5; ++slot) {
                const QString path = dir.path() + QStringLiteral("/p%1%2.ico").arg(minor).arg(slot);
                QImage img(32, 32, QImage::Format_ARGB32);
                img.fill(QColor(40 * slot, 50 * minor, 120));
                img.save(path, "ICO");
                qbx::ProgramEntry& e = state.catalogue.at(0, minor, slot);
                e.name = std::string("p").append(std::to_string(minor * 5 + slot));
                e.exePath = path.toStdString();
                e.title = e.name;
                e.minorName = qbx::minorNames(0)[static_cast<std::size_t>(minor)];
                e.useCounter = 100 - minor * 5 - slot;
            }
        qbx::rebuildSlotMap(state);
    }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void BM_HoverToPopupFilled(benchmark::State& st)
{
    Fixture& f = fixture();
    for (auto _ : st) {
        f.form->Picture1_MouseMove(0, Qt::NoButton, 500, 500); // the tile: hides the pop-up
        f.form->Image2_MouseMove(0, Qt::NoButton, 100, 500);   // the arrow: places and fills it
        benchmark::DoNotOptimize(f.form->popup()->Picture1[4]->hasDrawing());
    }
}
BENCHMARK(BM_HoverToPopupFilled)->Unit(benchmark::kMicrosecond);

void BM_CategoryWindowFilled(benchmark::State& st)
{
    Fixture& f = fixture();
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
BENCHMARK(BM_CategoryWindowFilled)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture().form.reset();
    return 0;
}
