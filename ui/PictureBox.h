#pragma once
// A picture box (and image control): shows a picture stretched over its area and keeps a
// persistent drawing layer on top of it (program icons). What is drawn stays until the box
// is cleared. Reports the pointer in twips relative to the box.

#include <QImage>
#include <QPixmap>
#include <QWidget>

class QIcon;

namespace qbx {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Shows `picture`; `name` (the file name) is kept as the accessible description when the
    // box has no description of its own role.
    void setPicture(const QPixmap& picture, const QString& name = {});
    const QString& pictureName() const { return pictureName_; }
    bool hasPicture() const { return !picture_.isNull(); }

    // Loads an empty picture: removes the picture and everything drawn; a box that shows a
    // program's icon also loses the program's name.
    void clear();
    // Paints `icon` at the top-left corner at 32 x 32 logical pixels over what is there.
    void drawIcon(const QIcon& icon);
    // Paints `pixmap` (sized for this screen) at the top-left corner at its own size.
    void drawPixmap(const QPixmap& pixmap);
    static constexpr int kIconSize = 32;
    // Whether anything was drawn since the last clear.
    bool hasDrawing() const { return drawn_; }
    // The persistent layer (for tests and benchmarks).
    const QImage& drawing() const { return layer_; }

    // Describes what the accessible description shows: the picture's file name (skins) or a
    // text the owner sets (programs).
    void setDescribesPicture(bool on) { describesPicture_ = on; }

signals:
    void mouseMoved(QPoint twips, Qt::MouseButtons buttons);
    void mousePressed(Qt::MouseButton button, QPoint twips);
    void mouseReleased(Qt::MouseButton button, QPoint twips);
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ensureLayer();

    QPixmap picture_;
    QString pictureName_;
    QImage layer_;
    bool drawn_ = false;
    bool describesPicture_ = true;
};

} // namespace qbx
