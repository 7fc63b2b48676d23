// The find box: one keystroke's filtering of a full catalogue (755 programs, 125 combinations)
// and 300 installed applications; loading the list (the texts romanised once, then again after a
// start re-sorted the catalogue, when the romanised texts are remembered); the memory the list
// takes; and opening the box, the first time and again (offscreen platform).

#include "core/FindIndex.h"
#include "find/FindBox.h"
#include "platform/fake/FakeDesktop.h"
#include "store/AppState.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <unistd.h>

namespace {

// Names as a Chinese desktop has them: Chinese, Latin and both.
const char* const kWords[] = {"微信",
                              "QQ音乐",
                              "网易云音乐",
                              "文件管理器",
                              "计算器",
                              "终端",
                              "Visual Studio Code",
                              "火狐浏览器",
                              "WPS文字",
                              "百度网盘",
                              "钉钉",
                              "腾讯会议",
                              "截图工具",
                              "系统监视器",
                              "记事本",
                              "重庆地图",
                              "银行助手",
                              "LibreOffice Calc",
                              "图像查看器",
                              "视频播放器"};

std::string word(int i)
{
    return std::string(kWords[i % std::size(kWords)]) + std::to_string(i);
}

struct Catalogue {
    std::unique_ptr<qbx::AppState> state = std::make_unique<qbx::AppState>();
    QList<qbx::InstalledApplication> apps;

    Catalogue()
    {
        int n = 0;
        // 755 programs: 625 in the five named categories, the rest where the program never shows them.
        for (int major = 0; major < qbx::kMajors && n < 755; ++major)
            for (int minor = 0; minor < qbx::kMinors && n < 755; ++minor)
                for (int slot = 0; slot < qbx::kSlots && n < 755; ++slot, ++n) {
                    qbx::ProgramEntry& p = state->catalogue.at(major, minor, slot);
                    p.name = "prog" + std::to_string(n);
                    p.exePath = "/opt/" + p.name + "/" + p.name;
                    p.title = word(n);
                    p.description = "用来" + word(n * 7 + 3) + "的程序";
                    p.useCounter = 1000 - n;
                }
        for (int group = 0; group < qbx::kGroups; ++group)
            for (int position = 0; position < qbx::kPositions; ++position, ++n) {
                qbx::ComboEntry& c = state->combos.at(group, position);
                c.name = "组合" + word(n);
                c.groupName = "常用";
                c.description = word(n + 5);
                c.programs[0] = 1;
            }
        for (int i = 0; i < 300; ++i)
            apps.append({QStringLiteral("/usr/share/applications/app%1.desktop").arg(i),
                         QStringLiteral("app%1").arg(i),
                         QString::fromStdString(word(i * 3 + 1)),
                         QStringLiteral("应用程序说明"),
                         {}});
    }
};

Catalogue& catalogue()
{
    static Catalogue c;
    return c;
}

qbx::FindIndex& loadedIndex()
{
    static qbx::FindIndex index(QStringLiteral(QBX_PINYIN));
    static const bool loaded = (index.load(*catalogue().state, catalogue().apps), true);
    (void)loaded;
    return index;
}

long residentKb()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The first load: every text romanised (by qbx-pinyin, in a process of its own); the memory the
// list keeps. Registered first, so that nothing before it has grown the heap.
void BM_FirstLoad(benchmark::State& state)
{
    long grown = 0;
    for (auto _ : state) {
        const long before = residentKb();
        auto index = std::make_unique<qbx::FindIndex>(QStringLiteral(QBX_PINYIN));
        index->load(*catalogue().state, catalogue().apps);
        grown = residentKb() - before;
        benchmark::DoNotOptimize(index.get());
    }
    state.counters["resident_growth_kB"] = double(grown);
}
BENCHMARK(BM_FirstLoad)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Keystroke(benchmark::State& state)
{
    const QString typed[] = {QStringLiteral("w"),  QStringLiteral("wx"),     QStringLiteral("weixin"),
                             QStringLiteral("微"), QStringLiteral("qq yin"), QStringLiteral("zzzz")};
    const QString& q = typed[state.range(0)];
    qbx::FindIndex& index = loadedIndex();
    for (auto _ : state) {
        const QList<qbx::FindHit> hits = index.find(q);
        benchmark::DoNotOptimize(hits.constData());
    }
    state.SetLabel(q.toStdString() + " → " + std::to_string(index.find(q).size()) + " found");
}
BENCHMARK(BM_Keystroke)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

// After a start re-sorted the catalogue: the texts are remembered, only the list is made again.
void BM_Reload(benchmark::State& state)
{
    qbx::FindIndex& index = loadedIndex();
    for (auto _ : state)
        index.load(*catalogue().state, catalogue().apps);
}
BENCHMARK(BM_Reload)->Unit(benchmark::kMicrosecond);

// The box's first opening: the list made without waiting for the pinyin, the box built, every
// entry listed and the visible rows' icons read, shown.
void BM_FirstOpen(benchmark::State& state)
{
    qbx::FakeDesktop desktop;
    for (auto _ : state) {
        auto index = std::make_unique<qbx::FindIndex>(QStringLiteral(QBX_PINYIN));
        index->loadWithoutWaiting(*catalogue().state, catalogue().apps, [] {});
        auto box = std::make_unique<qbx::FindBox>(*index, desktop);
        box->open(QRect(0, 0, 1920, 1080));
        QCoreApplication::processEvents();
        state.PauseTiming();
        box.reset();
        index.reset(); // stops qbx-pinyin when it is still at work
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

// The box opened again (every entry listed) and shown, then closed.
void BM_OpenBox(benchmark::State& state)
{
    qbx::FakeDesktop desktop;
    qbx::FindBox box(loadedIndex(), desktop);
    box.open(QRect(0, 0, 1920, 1080));
    QCoreApplication::processEvents();
    box.hide();
    for (auto _ : state) {
        box.open(QRect(0, 0, 1920, 1080));
        QCoreApplication::processEvents();
        state.PauseTiming();
        box.hide();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenBox)->Unit(benchmark::kMillisecond);

} // namespace
