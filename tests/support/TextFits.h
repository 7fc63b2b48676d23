#pragma once
// Test helper: the texts of a window measured against their boxes with the window's own fonts.
// A caption that needs more lines than its label has room for, a button text wider than its
// button, an option whose box is narrower than it asks for, a button that touches the window's
// edge, or a list row partly in view is reported as "<kind> '<text>': <why>". Hidden
// controls are not measured.

#include <QAbstractButton>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <QTextLayout>
#include <QWidget>

namespace qbx::testing {

// How many lines `text` needs at `width` pixels in `font`, wrapped (or, without `wrap`, only at
// its own line breaks).
inline int linesNeeded(const QString& text, const QFont& font, int width, bool wrap)
{
    int lines = 0;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        QTextOption option;
        option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            ++lines;
            if (!wrap && line.naturalTextWidth() > width)
                return 1000; // one line wider than its box
        }
        layout.endLayout();
    }
    return lines;
}

inline QStringList clippedTexts(QWidget& window)
{
    QStringList out;
    auto shown = [&](QWidget* w) { return w->isVisibleTo(&window); };
    for (QLabel* label : window.findChildren<QLabel*>()) {
        if (!shown(label) || label->text().isEmpty() || label->textFormat() == Qt::RichText)
            continue;
        const QRect box = label->contentsRect();
        const int lineHeight = QFontInfo(label->font()).pixelSize();
        const int lines = linesNeeded(label->text(), label->font(), box.width(), label->wordWrap());
        if (lines * lineHeight > box.height())
            out << QStringLiteral("label '%1': %2 lines of %3 px in %4 x %5")
                       .arg(label->text())
                       .arg(lines)
                       .arg(lineHeight)
                       .arg(box.width())
                       .arg(box.height());
    }
    for (QAbstractButton* b : window.findChildren<QAbstractButton*>()) {
        if (!shown(b) || b->text().isEmpty())
            continue;
        if (qobject_cast<QPushButton*>(b)) {
            const int need = QFontMetrics(b->font()).horizontalAdvance(b->text()) + 4;
            if (need > b->width())
                out << QStringLiteral("button '%1': needs %2 px, has %3")
                           .arg(b->text())
                           .arg(need)
                           .arg(b->width());
            const QRect r(b->mapTo(&window, QPoint(0, 0)), b->size());
            if (r.left() < 2 || r.top() < 2 || r.right() > window.width() - 3 ||
                r.bottom() > window.height() - 3)
                out << QStringLiteral("button '%1': touches the window's edge").arg(b->text());
        } else if (b->sizeHint().width() > b->width()) {
            out << QStringLiteral("option '%1': needs %2 px, has %3")
                       .arg(b->text())
                       .arg(b->sizeHint().width())
                       .arg(b->width());
        }
    }
    for (QGroupBox* g : window.findChildren<QGroupBox*>())
        if (shown(g) && QFontMetrics(g->font()).horizontalAdvance(g->title()) + 16 > g->width())
            out << QStringLiteral("frame '%1': title wider than the frame").arg(g->title());
    for (QListWidget* list : window.findChildren<QListWidget*>()) {
        if (!shown(list))
            continue;
        const QRect inside = list->viewport()->rect();
        for (int i = 0; i < list->count(); ++i) {
            // A sliver of a row's margin at the edge is no harm; a row shown in part is.
            const QRect row = list->visualItemRect(list->item(i));
            const int seen = row.intersected(inside).height();
            if (seen > row.height() / 4 && seen < row.height())
                out << QStringLiteral("list '%1': row %2 '%3' is cut")
                           .arg(list->accessibleName())
                           .arg(i + 1)
                           .arg(list->item(i)->text());
        }
    }
    return out;
}

} // namespace qbx::testing
