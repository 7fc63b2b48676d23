// The generated assets in the program folder: every skin picture at its size (and @2x), arrows
// pointing the right way, legible names, multi-size icons our reader and Qt both read, a short
// PCM click, the UTF-8 introduction, and nothing of the build beside them.

#include "platform/icons/PeIconReader.h"
#include "platform/linux/ProgramIcons.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringDecoder>

#include <gtest/gtest.h>

namespace {

const QString kAppDir = QStringLiteral(QBX_TEST_APP_DIR);

QImage skin(const QString& name)
{
    return QImage(kAppDir + "/skin/" + name);
}

bool isGold(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) > 150 && qBlue(c) < 140;
}

// Mean x of the gold pixels, as a fraction of the width.
double goldCentre(const QImage& img)
{
    double sum = 0;
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (isGold(img.pixel(x, y))) {
                sum += x;
                ++n;
            }
    return n ? sum / n / img.width() : -1;
}

int brightPixels(const QImage& img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += qGray(img.pixel(x, y)) > 170;
    return n;
}

} // namespace

TEST(Assets, SkinPicturesHaveTheirSizes)
{
    QStringList tiles{"pnl11", "pnl12", "pnl13"}, strips{"pnl21", "pnl22"};
    for (int n = 1; n <= 7; ++n)
        strips << QString("pnl3%1").arg(n) + "1" << QString("pnl3%1").arg(n) + "2";
    for (const QString& t : tiles) {
        EXPECT_EQ(skin(t + ".jpg").size(), QSize(70, 70)) << t.toStdString();
        EXPECT_EQ(skin(t + "@2x.jpg").size(), QSize(140, 140)) << t.toStdString();
    }
    for (const QString& s : strips) {
        EXPECT_EQ(skin(s + ".jpg").size(), QSize(24, 70)) << s.toStdString();
        EXPECT_EQ(skin(s + "@2x.jpg").size(), QSize(48, 140)) << s.toStdString();
    }
    // The three tile states look different: lit is lighter, pressed darker than at rest.
    auto meanGray = [](const QImage& img) {
        double sum = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                sum += qGray(img.pixel(x, y));
        return sum / (img.width() * img.height());
    };
    const double rest = meanGray(skin("pnl11.jpg")), lit = meanGray(skin("pnl12.jpg")),
                 pressed = meanGray(skin("pnl13.jpg"));
    EXPECT_GT(lit, rest + 10);
    EXPECT_LT(pressed, rest - 10);
}

TEST(Assets, ArrowsPointAwayFromTheTileAndNamesAreWritten)
{
    // Gold pixels (away from the strip's edge lines) in the row of the arrow's tip reach further
    // in the arrow's direction than those in a row near its ends.
    auto reach = [](const QImage& img, int y, bool right) {
        int best = right ? -1 : img.width();
        for (int x = 4; x < img.width() - 4; ++x)
            if (isGold(img.pixel(x, y)))
                best = right ? std::max(best, x) : std::min(best, x);
        return best;
    };
    const QImage r = skin("pnl21@2x.jpg"), l = skin("pnl22@2x.jpg");
    const int mid = r.height() / 2, end = mid - 12;
    EXPECT_GT(reach(r, mid, true), reach(r, end, true) + 4) << "pnl21 points right";
    EXPECT_LT(reach(l, mid, false), reach(l, end, false) - 4) << "pnl22 points left";

    // Each name strip carries its own text: at rest light strokes, highlighted gold strokes.
    QSet<QByteArray> seen;
    for (int n = 1; n <= 7; ++n) {
        const QImage rest = skin(QString("pnl3%1").arg(n) + "1@2x.jpg");
        const QImage lit = skin(QString("pnl3%1").arg(n) + "2@2x.jpg");
        EXPECT_GT(brightPixels(rest), 150) << n;
        EXPECT_GT(goldCentre(lit), 0.3) << n;
        seen.insert(QByteArray(reinterpret_cast<const char*>(rest.constBits()), rest.sizeInBytes()));
    }
    EXPECT_EQ(seen.size(), 7) << "every tile has a different name";
}

TEST(Assets, IconsHoldThreeSizes)
{
    for (const char* name : {"45.ico", "exe13.ico"}) {
        const QString path = kAppDir + "/" + name;
        const auto ico = qbx::icons::readFirstIcon(QFile::encodeName(path).toStdString());
        ASSERT_TRUE(ico) << name;
        ASSERT_EQ((*ico)[4], 3) << name;
        EXPECT_EQ((*ico)[6], 16);
        EXPECT_EQ((*ico)[6 + 16], 32);
        EXPECT_EQ((*ico)[6 + 32], 48);
        const QIcon icon = qbx::iconFromIcoBytes(
            QByteArray(reinterpret_cast<const char*>(ico->data()), static_cast<qsizetype>(ico->size())));
        EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {48, 48}})) << name;
        const QImage big = icon.pixmap(48, 48).toImage();
        EXPECT_EQ(qAlpha(big.pixel(0, 0)), 0) << "transparent corner in " << name;
        EXPECT_EQ(qAlpha(big.pixel(24, 30)), 255) << "opaque middle in " << name;
    }
}

TEST(Assets, ClickIsShortMonoPcm)
{
    QFile f(kAppDir + "/click.wav");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray w = f.readAll();
    ASSERT_GE(w.size(), 44);
    auto u16 = [&w](int at) {
        return static_cast<quint16>(static_cast<quint8>(w[at]) | (static_cast<quint8>(w[at + 1]) << 8));
    };
    auto u32 = [&u16](int at) {
        return static_cast<quint32>(u16(at)) | (static_cast<quint32>(u16(at + 2)) << 16);
    };
    EXPECT_EQ(w.left(4), "RIFF");
    EXPECT_EQ(u32(4), static_cast<quint32>(w.size() - 8));
    EXPECT_EQ(w.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(u32(16), 16u);
    EXPECT_EQ(u16(20), 1) << "PCM";
    EXPECT_EQ(u16(22), 1) << "mono";
    EXPECT_EQ(u32(24), 44100u);
    EXPECT_EQ(u32(28), 88200u);
    EXPECT_EQ(u16(32), 2);
    EXPECT_EQ(u16(34), 16);
    EXPECT_EQ(w.mid(36, 4), "data");
    const quint32 dataBytes = u32(40);
    ASSERT_EQ(dataBytes, static_cast<quint32>(w.size() - 44));
    const double ms = dataBytes / 2 / 44.1;
    EXPECT_GE(ms, 30);
    EXPECT_LE(ms, 60);
    int peak = 0;
    for (quint32 i = 0; i < dataBytes / 2; ++i)
        peak = std::max(peak,
                        std::abs(static_cast<int>(static_cast<qint16>(u16(44 + 2 * static_cast<int>(i))))));
    EXPECT_GT(peak, 8000) << "audible";
    EXPECT_LT(std::abs(static_cast<int>(static_cast<qint16>(u16(w.size() - 2)))), 200) << "ends quietly";
}

TEST(Assets, IntroductionIsUtf8Chinese)
{
    QFile f(kAppDir + QString::fromUtf8("/Quillbox介绍.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QStringDecoder dec(QStringDecoder::Utf8);
    const QString text = dec(bytes);
    EXPECT_FALSE(dec.hasError());
    for (const char* word : {"Quillbox", "办公", "组合", "自动隐藏", "分类程序设置"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
}

TEST(Assets, ProgramFolderHoldsNoBuildFiles)
{
    // What a user copies along is the program and its files, not CMake's book-keeping.
    const QStringList entries = QDir(kAppDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    for (const QString& name : entries) {
        EXPECT_FALSE(name == "CMakeFiles" || name.startsWith("cmake_install") ||
                     name.startsWith("CTestTestfile") || name.endsWith("_autogen") || name.endsWith(".a"))
            << name.toStdString();
    }
}
