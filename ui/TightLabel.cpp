#include "TightLabel.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

namespace qbx {

void TightLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    const int size = QFontInfo(font()).pixelSize();
    const qreal below = size * 0.12; // the part of a line under its baseline
    layout.beginLayout();
    for (int n = 1;; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width());
        line.setPosition(QPointF(0, n * size - below - line.ascent()));
    }
    layout.endLayout();
    layout.draw(&painter, QPointF(0, 0));
}

void shrinkToOneLine(QLabel* label, const QFont& font)
{
    QFont f = font;
    while (QFontMetrics(f).horizontalAdvance(label->text()) > label->width() && f.pointSizeF() > 6.0)
        f.setPointSizeF(f.pointSizeF() - 0.25);
    label->setFont(f);
}

} // namespace qbx
