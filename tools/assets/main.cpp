// qbx-assets-gen OUTDIR [ICONDIR]: writes the program's own pictures, icons, sound and introduction
// into the program folder OUTDIR (skin/ below it), and with ICONDIR the icon the desktop's menus
// show for an installed copy (quillbox.svg, 48.png, 64.png, 128.png). Run at build time on the
// offscreen platform.

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

// The format follows the file's suffix.
void writeImage(const QImage& image, const QString& path, int quality = -1)
{
    if (!image.save(path, nullptr, quality)) {
        std::fprintf(stderr, "qbx-assets-gen: cannot write %s\n", qPrintable(path));
        failed = true;
    }
}

// name.jpg at 96 dpi and name@2x.jpg at double size.
template <typename Painter>
void writeSkin(const QString& skinDir, const QString& base, Painter paint)
{
    for (int scale : {1, 2})
        writeImage(paint(scale), skinDir + "/" + base + (scale == 2 ? "@2x" : "") + ".jpg", 95);
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: qbx-assets-gen OUTDIR [ICONDIR]\n");
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
    if (argc == 3) {
        const QString icons = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(icons);
        writeBytes(icons + "/quillbox.svg", quillboxIconSvg(IconShape::RoundedSquare));
        for (int px : {48, 64, 128})
            writeImage(paintQuillboxIcon(px, IconShape::RoundedSquare),
                       icons + "/" + QString::number(px) + ".png");
    }
    writeBytes(out + "/click.wav", clickWav());
    writeBytes(out + "/" + QString::fromUtf8("Quillbox介绍.txt"), introductionText());
    return failed ? 1 : 0;
}
