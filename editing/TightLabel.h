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

} // namespace qbx
