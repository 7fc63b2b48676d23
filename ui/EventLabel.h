#pragma once
// A label that reports the pointer moving over it (in twips) and carries the two colours the
// windows switch between. Its text is its accessible name.

#include <QLabel>

#include <cstdint>

namespace qbx {

class EventLabel : public QLabel {
    Q_OBJECT
public:
    explicit EventLabel(QWidget* parent = nullptr);

    // Background and text colour as Windows colour values 0x00BBGGRR.
    void setColours(std::uint32_t backBgr, std::uint32_t textBgr);
    // Text colour only; the background stays transparent.
    void setTextColour(std::uint32_t textBgr);
    std::uint32_t backColour() const { return back_; }
    std::uint32_t textColour() const { return text_; }

signals:
    void mouseMoved(QPoint twips, Qt::MouseButtons buttons);
    void doubleClicked();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    std::uint32_t back_ = 0;
    std::uint32_t text_ = 0;
};

} // namespace qbx
