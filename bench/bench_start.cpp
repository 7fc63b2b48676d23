// A tile's release with the fake desktop: the start, the count, the re-ordering of the minor
// category and of the major category, and the records written, on a full catalogue (25
// programs in each of the 25 named minor categories) in a temporary program folder.
//
//   StayingFavourite  the tile's favourite is started again and stays where it is
//   ClimbingProgram   the last program of the last minor category passes everyone: it climbs
//                     from slot 24 to slot 0 and its minor category from position 4 to 0
// Counter "records" = records written per start.

#include "core/Launcher.h"
#include "platform/fake/FakeDesktop.h"
#include "store/AppState.h"
#include "store/Store.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace qbx;

struct Folder {
    std::filesystem::path dir;
    AppState state;
    FakeDesktop desk;
    std::unique_ptr<Launcher> launcher;

    Folder()
    {
        dir = std::filesystem::temp_directory_path() / ("qbx-bench-start-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        state.appDir = dir;
        state.minorNames.fillBuiltIn();
        int rec = 0;
        for (int major = 0; major < kNamedMajors; ++major)
            for (int minor = 0; minor < kMinors; ++minor)
                for (int slot = 0; slot < kSlots; ++slot) {
                    ProgramEntry& e = state.catalogue.at(major, minor, slot);
                    e.name = std::to_string(++rec);
                    e.name.insert(0, 1, 'p');
                    e.exePath = "/opt/bench/" + e.name;
                    e.recordNo = rec;
                    e.major = static_cast<std::int16_t>(major);
                    e.minor = static_cast<std::int16_t>(minor);
                    e.slot = static_cast<std::int16_t>(slot);
                    e.majorName = majorNames()[static_cast<std::size_t>(major)];
                    e.minorName = minorNames(major)[static_cast<std::size_t>(minor)];
                    e.title = e.name;
                    e.useCounter = 1000 - minor * 100 - slot * 2;
                    if (!saveProgramEntry(state, major, minor, slot)) {
                        std::fprintf(stderr, "could not write the catalogue in %s\n", dir.c_str());
                        std::exit(1);
                    }
                }
        launcher = std::make_unique<Launcher>(state, desk);
    }
    ~Folder() { std::filesystem::remove_all(dir); }
};

void StayingFavourite(benchmark::State& st)
{
    Folder f;
    for (auto _ : st)
        f.launcher->startFavourite(0);
    int written = 0;
    f.launcher->startProgram(0, 0, 0, &written);
    st.counters["records"] = written;
}

void ClimbingProgram(benchmark::State& st)
{
    Folder f;
    int written = 0;
    long long total = 0;
    for (auto _ : st) {
        // The program at the very end gets one start more than the tile's favourite ...
        ProgramEntry& last = f.state.catalogue.at(0, 4, 24);
        last.useCounter = f.state.catalogue.at(0, 0, 0).useCounter;
        // ... and is started from the category window.
        f.launcher->startProgram(0, 4, 24, &written);
        total += written;
        f.desk.started.clear();
    }
    st.counters["records"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kAvgIterations);
}

BENCHMARK(StayingFavourite)->Unit(benchmark::kMicrosecond);
BENCHMARK(ClimbingProgram)->Unit(benchmark::kMicrosecond);

} // namespace
