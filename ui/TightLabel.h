#pragma once
// A word-wrapped label whose lines stand one font height apart, as the system font sets them in
// the designed boxes: CJK fonts with tall line spacing would otherwise lose the last line of a
// help text or count line to the box's bottom edge.

#include <QLabel>

namespace qbx {

class TightLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Sets the label's font (from `font`) small enough for its text to stand on one line in its
// width, down to 6 point at most: a count that grew a digit still reads whole.
void shrinkToOneLine(QLabel* label, const QFont& font);

} // namespace qbx
