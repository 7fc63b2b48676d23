#include "IconPainter.h"

#include "LittleEndian.h"
#include "Palette.h"

#include <QBuffer>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>

namespace qbx::assets {
namespace {

// One icon image as a DIB: header, BGRA rows bottom-up, then the 1-bit AND mask.
QByteArray dib(const QImage& src)
{
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    const int w = img.width(), h = img.height();
    QByteArray b;
    put32(b, 40);
    put32(b, static_cast<quint32>(w));
    put32(b, static_cast<quint32>(2 * h));
    put16(b, 1);
    put16(b, 32);
    for (int i = 0; i < 6; ++i)
        put32(b, 0);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = img.pixel(x, y);
            b.append(static_cast<char>(qBlue(c)));
            b.append(static_cast<char>(qGreen(c)));
            b.append(static_cast<char>(qRed(c)));
            b.append(static_cast<char>(qAlpha(c)));
        }
    }
    const int maskRow = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(img.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        b.append(row);
    }
    return b;
}

// The icon in the square (0, 0)-(n, n); `detailed` adds the quill's shaft and the box's label,
// too fine for the smallest sizes.
void drawQuillboxIcon(QPainter& p, qreal n, IconShape shape, bool detailed)
{
    // Ground: the tile blue, lighter at the top.
    QLinearGradient ground(0, 0, 0, n);
    ground.setColorAt(0, kBlueTop);
    ground.setColorAt(1, QColor(0x2A, 0x37, 0x99));
    p.setPen(Qt::NoPen);
    p.setBrush(ground);
    const QRectF all(0.5, 0.5, n - 1, n - 1);
    if (shape == IconShape::Circle)
        p.drawEllipse(all);
    else
        p.drawRoundedRect(all, n * 0.2, n * 0.2);

    // The quill: a feather leaning right, its nib inside the box.
    QPainterPath feather;
    const QPointF nib(n * 0.40, n * 0.74), tip(n * 0.84, n * 0.12);
    feather.moveTo(nib);
    feather.cubicTo(QPointF(n * 0.40, n * 0.42), QPointF(n * 0.58, n * 0.20), tip);
    feather.cubicTo(QPointF(n * 0.80, n * 0.38), QPointF(n * 0.62, n * 0.56), nib);
    feather.closeSubpath();
    p.setBrush(kGold);
    p.setPen(QPen(kGoldDark, std::max(0.8, n / 40)));
    p.drawPath(feather);
    if (detailed) {
        p.setPen(QPen(kGoldDark, n / 48, Qt::SolidLine, Qt::RoundCap));
        QPainterPath shaft;
        shaft.moveTo(nib);
        shaft.quadTo(QPointF(n * 0.56, n * 0.42), tip);
        p.drawPath(shaft);
    }

    // The box: an open paper box in front, a darker inside rim behind its front face.
    const qreal top = n * 0.56, bottom = n * 0.86, left = n * 0.18, right = n * 0.82;
    QPainterPath rim;
    rim.moveTo(left, top);
    rim.lineTo(left + n * 0.06, top - n * 0.07);
    rim.lineTo(right - n * 0.06, top - n * 0.07);
    rim.lineTo(right, top);
    rim.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kPaperShade);
    p.drawPath(rim);
    QLinearGradient paper(0, top, 0, bottom);
    paper.setColorAt(0, kPaper);
    paper.setColorAt(1, QColor(0xE4, 0xDC, 0xC6));
    p.setBrush(paper);
    p.setPen(QPen(QColor(0x8A, 0x7F, 0x66), std::max(0.8, n / 40)));
    p.drawRoundedRect(QRectF(left, top, right - left, bottom - top), n * 0.04, n * 0.04);
    if (detailed) {
        // A label on the box front.
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawRoundedRect(QRectF(n * 0.40, top + n * 0.10, n * 0.20, n * 0.08), n * 0.02, n * 0.02);
    }
}

} // namespace

QImage paintQuillboxIcon(int size, IconShape shape)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawQuillboxIcon(p, size, shape, size >= 32);
    p.end();
    return img;
}

QByteArray quillboxIconSvg(IconShape shape)
{
    constexpr int n = 128;
    QBuffer out;
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(QSize(n, n));
    svg.setViewBox(QRect(0, 0, n, n));
    svg.setTitle(QStringLiteral("Quillbox"));
    QPainter p(&svg);
    p.setRenderHint(QPainter::Antialiasing);
    drawQuillboxIcon(p, n, shape, true);
    p.end();
    return out.data();
}

QByteArray icoFile(const QList<QImage>& images)
{
    QList<QByteArray> dibs;
    for (const QImage& img : images)
        dibs.append(dib(img));
    QByteArray out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<quint32>(images.size()));
    quint32 offset = static_cast<quint32>(6 + 16 * images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int w = images[i].width(), h = images[i].height();
        out.append(static_cast<char>(w >= 256 ? 0 : w));
        out.append(static_cast<char>(h >= 256 ? 0 : h));
        out.append('\0');
        out.append('\0');
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<quint32>(dibs[i].size()));
        put32(out, offset);
        offset += static_cast<quint32>(dibs[i].size());
    }
    for (const QByteArray& d : dibs)
        out.append(d);
    return out;
}

} // namespace qbx::assets
