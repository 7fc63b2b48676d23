#pragma once
// The main window's own caption strip ("Velmora软件"): dragging it moves the window.

#include <QLabel>

namespace qbx {

class CaptionStrip : public QLabel {
    Q_OBJECT
public:
    explicit CaptionStrip(const QString& text, QWidget* parent = nullptr);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint grabOffset_;
    bool dragging_ = false;
};

} // namespace qbx
