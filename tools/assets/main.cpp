// qbx-assets-gen OUTDIR: writes the program's own pictures, icons, sound and introduction into
// the program folder OUTDIR (skin/ below it). Run at build time on the offscreen platform.

#include "ClickSound.h"
#include "IconPainter.h"
#include "Introduction.h"
#include "SkinPainter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>

using namespace qbx::assets;

namespace {

bool failed = false;

void writeBytes(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size()) {
        std::fprintf(stderr, "qbx-assets-gen: cannot write %s\n", qPrintable(path));
        failed = true;
    }
}

// name.jpg at 96 dpi and name@2x.jpg at double size.
template <typename Painter>
void writeSkin(const QString& skinDir, const QString& base, Painter paint)
{
    for (int scale : {1, 2}) {
        const QString path = skinDir + "/" + base + (scale == 2 ? "@2x" : "") + ".jpg";
        if (!paint(scale).save(path, "JPG", 95)) {
            std::fprintf(stderr, "qbx-assets-gen: cannot write %s\n", qPrintable(path));
            failed = true;
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: qbx-assets-gen OUTDIR\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString skin = out + "/skin";
    if (!QDir().mkpath(skin)) {
        std::fprintf(stderr, "qbx-assets-gen: cannot create %s\n", qPrintable(skin));
        return 1;
    }

    writeSkin(skin, "pnl11", [](int s) { return paintTile(TileState::Rest, s); });
    writeSkin(skin, "pnl12", [](int s) { return paintTile(TileState::Lit, s); });
    writeSkin(skin, "pnl13", [](int s) { return paintTile(TileState::Pressed, s); });
    writeSkin(skin, "pnl21", [](int s) { return paintArrowStrip(ArrowSide::Right, s); });
    writeSkin(skin, "pnl22", [](int s) { return paintArrowStrip(ArrowSide::Left, s); });
    const QStringList names{"办公", "娱乐", "网络", "学习", "系统", "组合", "预留"};
    for (int n = 1; n <= names.size(); ++n) {
        const QString name = names[n - 1];
        writeSkin(skin, "pnl3" + QString::number(n) + "1",
                  [&name](int s) { return paintNameStrip(name, false, s); });
        writeSkin(skin, "pnl3" + QString::number(n) + "2",
                  [&name](int s) { return paintNameStrip(name, true, s); });
    }

    for (const auto& [file, shape] :
         {std::pair{"exe13.ico", IconShape::RoundedSquare}, std::pair{"45.ico", IconShape::Circle}}) {
        QList<QImage> sizes;
        for (int px : {16, 32, 48})
            sizes.append(paintQuillboxIcon(px, shape));
        writeBytes(out + "/" + file, icoFile(sizes));
    }
    writeBytes(out + "/click.wav", clickWav());
    writeBytes(out + "/" + QString::fromUtf8("Quillbox介绍.txt"), introductionText());
    return failed ? 1 : 0;
}
