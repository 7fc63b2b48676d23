#pragma once
// "At most N characters can be typed": a limit on typing only. Text the program puts into a box
// may be longer (the suggested title of notepad.exe is notepadexe); the user can then shorten it
// but not lengthen it.

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace qbx {

// Puts `text` into a line box whose typing limit is `limit`.
void setLimitedText(QLineEdit* box, const QString& text, int limit);
// Keeps typing in `box` within `limit` (text set through setLimitedText may exceed it).
void limitTyping(QLineEdit* box, int limit);

// The same for a multi-line box, which has no length limit of its own.
class PlainTextLimit : public QObject {
public:
    PlainTextLimit(QPlainTextEdit* box, int limit);
    void setText(const QString& text);

private:
    void changed();

    QPlainTextEdit* box_;
    int limit_;
    QString accepted_;
    bool setting_ = false;
};

} // namespace qbx
