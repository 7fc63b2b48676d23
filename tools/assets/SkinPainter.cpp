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

    // The face: rounded, a touch smaller when pushed in.
    const qreal inset = (pressed ? 4.0 : 3.0) * s;
    const QRectF face(inset, inset, kTile * s - 2 * inset, kTile * s - 2 * inset);
    const qreal radius = 9 * s;
    if (lit) {
        // A gold halo around the lit face.
        QColor halo = kGold;
        halo.setAlpha(230);
        p.setPen(Qt::NoPen);
        p.setBrush(halo);
        p.drawRoundedRect(face.adjusted(-1.6 * s, -1.6 * s, 1.6 * s, 1.6 * s), radius + 1.5 * s,
                          radius + 1.5 * s);
    }
    QPainterPath facePath;
    facePath.addRoundedRect(face, radius, radius);
    const QColor top = pressed ? kPressedTop : lit ? kLitTop : kBlueTop;
    const QColor bottom = pressed ? kPressedBottom : lit ? kLitBottom : kBlueBottom;
    p.fillPath(facePath, vertical(face.top(), face.bottom(), top, bottom));

    p.save();
    p.setClipPath(facePath);
    if (pressed) {
        // Shadow along the top and left edges: the face sits below the frame.
        QColor shade(0, 0, 0, 110);
        p.fillRect(QRectF(face.left(), face.top(), face.width(), 3 * s), shade);
        p.fillRect(QRectF(face.left(), face.top(), 3 * s, face.height()), shade);
    } else {
        // Sheen over the upper left half and a light rim along the top.
        QPainterPath sheen;
        sheen.moveTo(face.topLeft());
        sheen.lineTo(face.right(), face.top());
        sheen.lineTo(face.left(), face.top() + face.height() * 0.62);
        sheen.closeSubpath();
        p.fillPath(sheen, QColor(255, 255, 255, lit ? 34 : 22));
        p.fillRect(QRectF(face.left(), face.top(), face.width(), 1.2 * s), QColor(255, 255, 255, 120));
        p.fillRect(QRectF(face.left(), face.bottom() - 2 * s, face.width(), 2 * s), QColor(10, 16, 70, 120));
    }
    p.restore();

    // The well the program's icon sits in (the icon box is 494 twips, centred).
    const qreal well = 40 * s;
    const qreal shift = pressed ? 1 * s : 0;
    const QRectF wellRect((kTile * s - well) / 2 + shift, (kTile * s - well) / 2 + shift, well, well);
    p.setPen(QPen(QColor(255, 255, 255, pressed ? 40 : 70), 1 * s));
    p.setBrush(QColor(8, 14, 60, pressed ? 70 : 50));
    p.drawRoundedRect(wellRect, 7 * s, 7 * s);

    // Frame line around the face.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(pressed ? QColor(8, 12, 50) : QColor(20, 28, 110), 1 * s));
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
