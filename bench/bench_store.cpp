// The store's hot paths with their real file work: loading a full catalogue at start-up, and
// the ordering after one start, in the program's write-only-changed form (with and without its
// journal) and in the form that writes both records of every compared pair.

#include "store/Journal.h"
#include "store/RecordFile.h"
#include "store/Store.h"
#include "tests/support/ReferenceOrdering.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace {

using namespace qbx;

class BenchDir {
public:
    BenchDir() : path_(std::filesystem::temp_directory_path() / ("qbx-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~BenchDir() { std::filesystem::remove_all(path_); }
    BenchDir(const BenchDir&) = delete;
    BenchDir& operator=(const BenchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

ProgramEntry benchProgram(int recordNo, int major, int minor, int slot, int useCounter)
{
    ProgramEntry e;
    e.name = "程序" + std::to_string(recordNo);
    e.exePath =
        "C:\\Program Files\\软件" + std::to_string(recordNo) + "\\app" + std::to_string(recordNo) + ".exe";
    e.recordNo = recordNo;
    e.major = static_cast<std::int16_t>(major);
    e.minor = static_cast<std::int16_t>(minor);
    e.slot = static_cast<std::int16_t>(slot);
    e.majorName = major < kNamedMajors ? majorNames()[static_cast<std::size_t>(major)] : "";
    e.minorName = major < kNamedMajors ? minorNames(major)[static_cast<std::size_t>(minor)] : "";
    e.title = "标题 " + std::to_string(recordNo);
    e.useCounter = useCounter;
    e.description = "一个用来测量的程序说明，长度和平常的差不多。";
    return e;
}

void writeAll(AppState& s)
{
    for (int ma = 0; ma < kMajors; ++ma)
        for (int mi = 0; mi < kMinors; ++mi)
            for (int sl = 0; sl < kSlots; ++sl)
                (void)saveProgramEntry(s, ma, mi, sl);
}

std::string slurp(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void restore(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Records 1-775 spread over every place in order, plus 25 combinations.
void BM_loadAll(benchmark::State& state)
{
    BenchDir dir;
    AppState s;
    s.appDir = dir.path();
    for (int n = 1; n <= kProgramRecordsRead; ++n) {
        const int place = n - 1;
        s.catalogue.at(place / 125, place / 25 % 5, place % 25) =
            benchProgram(n, place / 125, place / 25 % 5, place % 25, 1000 - place % 25);
    }
    writeAll(s);
    for (int n = 1; n <= kComboRecordsRead; ++n) {
        ComboEntry c;
        c.name = "组合" + std::to_string(n);
        c.groupName = "类别";
        c.recordNo = n;
        c.useCounter = 30 - n;
        c.group = static_cast<std::int16_t>((n - 1) / 5);
        c.position = static_cast<std::int16_t>((n - 1) % 5);
        (void)RecordFile(s.comboFile(), kComboRecordLength).write(n, encodeRecord(c).value());
    }
    AppState fresh;
    fresh.appDir = dir.path();
    fresh.minorNames.fillBuiltIn();
    for (auto _ : state) {
        AppState loaded = fresh;
        loadAll(loaded);
        rebuildSlotMap(loaded);
        benchmark::DoNotOptimize(loaded.catalogue.at(4, 4, 24).recordNo);
    }
}
BENCHMARK(BM_loadAll)->Unit(benchmark::kMicrosecond);

// Major 0 with five full minor categories (125 programs). Scenarios of one start:
//   0: the most used program of the leading minor category is started again (nothing moves);
//   1: the least used program of minor 0 climbs to its slot 0;
//   2: the least used program of minor 1 climbs to its slot 0 and minor 1 overtakes minor 0.
enum Scenario { Again = 0, Climb = 1, Overtake = 2 };

AppState fullMajor(const std::filesystem::path& dir)
{
    AppState s;
    s.appDir = dir;
    s.minorNames.fillBuiltIn();
    int recordNo = 1;
    for (int mi = 0; mi < kMinors; ++mi)
        for (int sl = 0; sl < kSlots; ++sl)
            s.catalogue.at(0, mi, sl) = benchProgram(recordNo++, 0, mi, sl, 100 * (5 - mi) - 2 * sl + 50);
    writeAll(s);
    return s;
}

int startOne(AppState& s, int scenario)
{
    switch (scenario) {
    case Again:
        ++s.catalogue.at(0, 0, 0).useCounter;
        return 0;
    case Climb:
        s.catalogue.at(0, 0, 24).useCounter = 10000;
        return 0;
    default:
        s.catalogue.at(0, 1, 24).useCounter = 10000;
        return 1;
    }
}

// How the records of a start are written: as the program writes them (only changed records,
// several through the journal), the same without the journal (the program before it had one),
// and every compared pair (the reference). A start is exec'd before this runs, so its time is the
// time from the exec to the last write.
enum Writing { Program = 0, NoJournal = 1, EveryPair = 2 };

template <Writing How>
void BM_sortMinorCategory(benchmark::State& state)
{
    BenchDir dir;
    const AppState start = fullMajor(dir.path());
    const std::string startFile = slurp(start.programFile());
    detail::setJournaling(How != NoJournal);
    long long records = 0;
    for (auto _ : state) {
        state.PauseTiming();
        restore(start.programFile(), startFile);
        AppState s = start;
        const int minor = startOne(s, static_cast<int>(state.range(0)));
        state.ResumeTiming();
        int written = 0;
        if constexpr (How == EveryPair)
            reference::sortMinorCategory(s, 0, minor, &written);
        else
            (void)sortMinorCategory(s, 0, minor, &written);
        records = written;
    }
    detail::setJournaling(true);
    state.counters["records_written"] = static_cast<double>(records);
}
BENCHMARK_TEMPLATE(BM_sortMinorCategory, Program)
    ->Arg(Again)
    ->Arg(Climb)
    ->Arg(Overtake)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_sortMinorCategory, NoJournal)
    ->Arg(Again)
    ->Arg(Climb)
    ->Arg(Overtake)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_sortMinorCategory, EveryPair)
    ->Arg(Again)
    ->Arg(Climb)
    ->Arg(Overtake)
    ->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
