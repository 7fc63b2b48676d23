// Program icons: the first look-up of a Windows program's icon (file read, resource walk, ICO
// decode), a cached look-up, building the desktop-entry index, and an icon found through it.
// Runs on the offscreen platform with a temporary XDG data folder of 400 desktop entries.

#include "platform/linux/ProgramIcons.h"
#include "tests/support/PeBuilder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace qbx::test;

namespace {

QTemporaryDir* tree = nullptr;
QString pePath, xdgProgram;

void write(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(data);
}

void setUp()
{
    tree = new QTemporaryDir;
    // A program with a 16, 32 and 48 px icon group (the reader seeks to what it needs, so the
    // size of the rest of a program does not matter).
    BuiltPe pe = buildPe({{1, solidDib(16, 0xFFFF0000), 16},
                          {2, solidDib(32, 0xFF00FF00), 32},
                          {3, solidDib(48, 0xFF0000FF), 48}},
                         {{1, {1, 2, 3}}});
    pePath = tree->filePath("bin/Setup Tool.exe");
    write(pePath, QByteArray(reinterpret_cast<const char*>(pe.bytes.data()),
                             static_cast<qsizetype>(pe.bytes.size())));

    QImage img(48, 48, QImage::Format_ARGB32);
    img.fill(Qt::darkCyan);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    write(tree->filePath("icons/app.png"), png);
    for (int i = 0; i < 400; ++i) {
        const QString prog = tree->filePath(QString("bin/prog%1").arg(i));
        write(prog, "#!/bin/sh\n");
        write(tree->filePath(QString("share/applications/app%1.desktop").arg(i)),
              "[Desktop Entry]\nType=Application\nName=App\nExec=\"" + prog.toUtf8() +
                  "\" %U\nIcon=" + tree->filePath("icons/app.png").toUtf8() + "\n");
    }
    xdgProgram = tree->filePath("bin/prog399");
    qputenv("XDG_DATA_HOME", tree->filePath("home").toUtf8());
    qputenv("XDG_DATA_DIRS", tree->filePath("share").toUtf8());
}

void BM_PeIconFirstLookup(benchmark::State& state)
{
    qbx::ProgramIcons icons;
    for (auto _ : state)
        benchmark::DoNotOptimize(icons.load(pePath));
}
BENCHMARK(BM_PeIconFirstLookup)->Unit(benchmark::kMicrosecond);

void BM_PeIconCached(benchmark::State& state)
{
    qbx::ProgramIcons icons;
    icons.icon(pePath);
    for (auto _ : state)
        benchmark::DoNotOptimize(icons.icon(pePath));
}
BENCHMARK(BM_PeIconCached)->Unit(benchmark::kMicrosecond);

void BM_XdgIndexBuild400Entries(benchmark::State& state)
{
    qbx::XdgIconIndex index;
    for (auto _ : state) {
        index.reset();
        benchmark::DoNotOptimize(index.entryCount());
    }
}
BENCHMARK(BM_XdgIndexBuild400Entries)->Unit(benchmark::kMillisecond);

void BM_XdgIconLookup(benchmark::State& state)
{
    qbx::ProgramIcons icons;
    icons.xdgIndex().entryCount(); // the index is built once per run of the program
    for (auto _ : state)
        benchmark::DoNotOptimize(icons.load(xdgProgram));
}
BENCHMARK(BM_XdgIconLookup)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    setUp();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete tree;
    return 0;
}
