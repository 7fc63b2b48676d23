#include "SkinPainter.h"

#include "Palette.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace qbx::assets {
namespace {

constexpr int kTile = 70;
constexpr int kStripW = 24;
constexpr int kStripH = 70;

QImage canvas(int w, int h, int scale)
{
    QImage img(w * scale, h * scale, QImage::Format_RGB32);
    img.fill(kNavy);
    return img;
}

QLinearGradient vertical(qreal top, qreal bottom, const QColor& a, const QColor& b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

// Background of every strip: navy, a little lighter at the top, with a fine edge on the side
// that touches the tile.
void paintStripBack(QPainter& p, int scale, bool lit, bool edgeOnLeft)
{
    const qreal w = kStripW * scale, h = kStripH * scale;
    p.fillRect(QRectF(0, 0, w, h), vertical(0, h, lit ? kBlue : kNavyLight, lit ? kBlueBottom : kNavy));
    QColor edge = lit ? kGold : kBlue;
    edge.setAlpha(lit ? 200 : 110);
    const qreal x = edgeOnLeft ? 0 : w - scale;
    p.fillRect(QRectF(x, 0, scale, h), edge);
}

} // namespace

QImage paintTile(TileState state, int scale)
{
    QImage img = canvas(kTile, kTile, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = scale;
    const bool pressed = state == TileState::Pressed;
    const bool lit = state == TileState::Lit;

    // A flat card with soft corners; the program's icon is drawn large in its middle, so the
    // card itself carries no picture. Pushed in, it sinks a pixel and darkens.
    const qreal inset = (pressed ? 5.0 : 4.0) * s;
    const QRectF face(inset, inset, kTile * s - 2 * inset, kTile * s - 2 * inset);
    const qreal radius = 12 * s;

    if (!pressed) {
        // A soft shadow under the card lifts it off the column.
        for (int i = 3; i >= 1; --i) {
            QColor shade(4, 8, 30, 28);
            p.setPen(Qt::NoPen);
            p.setBrush(shade);
            p.drawRoundedRect(face.translated(0, i * 0.7 * s).adjusted(-i * 0.5 * s, 0, i * 0.5 * s, 0),
                              radius + i * 0.5 * s, radius + i * 0.5 * s);
        }
    }
    if (lit) {
        // A gold ring around the lit card.
        p.setPen(QPen(kGold, 2.2 * s));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(-1.4 * s, -1.4 * s, 1.4 * s, 1.4 * s), radius + 1.4 * s,
                          radius + 1.4 * s);
    }
    QPainterPath facePath;
    facePath.addRoundedRect(face, radius, radius);
    const QColor top = pressed ? kPressedTop : lit ? kLitTop : kBlueTop;
    const QColor bottom = pressed ? kPressedBottom : lit ? kLitBottom : kBlueBottom;
    p.fillPath(facePath, vertical(face.top(), face.bottom(), top, bottom));

    p.save();
    p.setClipPath(facePath);
    if (pressed) {
        // An inner shadow along the top: the card sits below the column's surface.
        p.fillRect(QRectF(face.left(), face.top(), face.width(), 2.5 * s), QColor(0, 0, 0, 80));
    } else {
        // A fine light edge along the top catches the light.
        p.fillRect(QRectF(face.left(), face.top(), face.width(), 1 * s),
                   QColor(255, 255, 255, lit ? 150 : 90));
    }
    p.restore();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pressed ? QColor(10, 14, 60) : QColor(28, 38, 128, 200), 1 * s));
    p.drawRoundedRect(face, radius, radius);
    return img;
}

QImage paintArrowStrip(ArrowSide side, int scale)
{
    QImage img = canvas(kStripW, kStripH, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = scale;
    // The arrow strip sits between the tile and the pop-up; its edge line faces the tile.
    paintStripBack(p, scale, true, side == ArrowSide::Right);

    auto chevron = [&](qreal cx, qreal cy, qreal half, const QColor& c, qreal width) {
        const qreal dir = side == ArrowSide::Right ? 1 : -1;
        QPainterPath path;
        path.moveTo(cx - dir * half * 0.55, cy - half);
        path.lineTo(cx + dir * half * 0.55, cy);
        path.lineTo(cx - dir * half * 0.55, cy + half);
        p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    };
    const qreal cx = kStripW * s / 2, cy = kStripH * s / 2;
    const qreal step = 6 * s;
    const qreal dir = side == ArrowSide::Right ? 1 : -1;
    // Shadow, then two chevrons: a faint one behind and a bright one in front.
    chevron(cx - dir * step / 2 + 0.8 * s, cy + 1.2 * s, 8 * s, QColor(0, 0, 0, 90), 3.2 * s);
    chevron(cx + dir * step / 2 + 0.8 * s, cy + 1.2 * s, 8 * s, QColor(0, 0, 0, 90), 3.2 * s);
    chevron(cx - dir * step / 2, cy, 8 * s, kGoldDark, 3 * s);
    chevron(cx + dir * step / 2, cy, 8 * s, kGold, 3 * s);
    return img;
}

QImage paintNameStrip(const QString& name, bool highlighted, int scale)
{
    QImage img = canvas(kStripW, kStripH, scale);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal s = scale;
    // Name strips stand on either side of the tile; the edge line is drawn on neither.
    const qreal w = kStripW * s, h = kStripH * s;
    p.fillRect(QRectF(0, 0, w, h),
               vertical(0, h, highlighted ? kBlue : kNavyLight, highlighted ? kBlueBottom : kNavy));
    if (highlighted) {
        QColor rim = kGold;
        rim.setAlpha(170);
        p.fillRect(QRectF(0, 0, w, 1.5 * s), rim);
        p.fillRect(QRectF(0, h - 1.5 * s, w, 1.5 * s), rim);
    }

    // Written top to bottom, one upright character under the other.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(static_cast<int>(15 * s));
    font.setWeight(highlighted ? QFont::Bold : QFont::Medium);
    font.setHintingPreference(QFont::PreferFullHinting);
    p.setFont(font);
    const qreal lineH = 17 * s;
    const qreal total = lineH * name.size();
    qreal y = (h - total) / 2;
    for (const QChar c : name) {
        const QRectF cell(0, y, w, lineH);
        p.setPen(QColor(0, 0, 0, 120));
        p.drawText(cell.translated(0.8 * s, 0.8 * s), Qt::AlignCenter, QString(c));
        p.setPen(highlighted ? kGold : kNameText);
        p.drawText(cell, Qt::AlignCenter, QString(c));
        y += lineH;
    }
    return img;
}

} // namespace qbx::assets
