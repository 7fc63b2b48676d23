#pragma once
// A window's position in twips. A position set in twips is read back exactly while the window
// still stands on the pixel it became (screen width - 100 has no whole pixel, and the edge rules
// compare exact values); after any other move the pixels are converted.

#include <QPoint>

class QWidget;

namespace qbx {

class TwipPlace {
public:
    explicit TwipPlace(QWidget& window) : window_(window) {}

    int left() const;
    int top() const;
    void move(int left, int top);
    void setLeft(int left) { move(left, top()); }
    void setTop(int top) { move(left(), top); }

private:
    QWidget& window_;
    QPoint twips_;
    QPoint pixels_;
    bool set_ = false;
};

} // namespace qbx
