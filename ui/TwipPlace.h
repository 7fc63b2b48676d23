#pragma once
// A window's position in twips. A position set in twips is read back exactly while the window
// still stands on the pixel it became (screen width - 100 has no whole pixel, and the edge rules
// compare exact values); after any other move the pixels are converted.
//
// Some window managers keep part of every window on screen and so pull a window that is asked to
// stand almost off the screen back by a few pixels. The place the window lands on right after such
// a request counts as the place asked for, so a window hidden at an
// edge is still known to be hidden there.
//
// A window shown again soon after it was hidden may race the window manager's re-framing: the
// toolkit then hears an in-between place (the screen's corner) while the window stands where it
// was asked to. A move the program did not ask for, right after the window was shown at a place
// on the screen, is answered by asking for that place once more, which makes the toolkit hear
// the truth. (A person's drag comes later than that.)

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>

class QWidget;

namespace qbx {

// It watches the window's move and show events itself.
class TwipPlace : public QObject {
public:
    // Whether a stray move right after a show is asked again: for the windows the program shows
    // and hides by itself (a person does not drag them), not for the main window.
    enum class AfterShow { Trust, AskAgain };
    explicit TwipPlace(QWidget& window, AfterShow afterShow = AfterShow::Trust);

    int left() const;
    int top() const;
    void move(int left, int top);
    void setLeft(int left) { move(left, top()); }
    void setTop(int top) { move(left(), top); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A move that follows a request to stand partly off the screen within a moment, to another
    // pixel than asked for, is the window manager's answer; one that follows a show at a place on
    // the screen is asked again (once).
    void noteMoved();
    void noteShown();

    bool standsWhereAsked() const;

    QWidget& window_;
    AfterShow afterShow_;
    QPoint twips_;
    QPoint pixels_;
    QPoint landed_;
    bool set_ = false;
    bool landedKnown_ = false;
    bool askedAgain_ = false;
    QElapsedTimer requested_;
    QElapsedTimer shown_;
};

} // namespace qbx
