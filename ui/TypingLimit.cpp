#include "TypingLimit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

#include <algorithm>

namespace qbx {

namespace {

int allowance(const QString& text, int limit)
{
    return std::max(limit, static_cast<int>(text.size()));
}

} // namespace

void setLimitedText(QLineEdit* box, const QString& text, int limit)
{
    box->setMaxLength(allowance(text, limit));
    box->setText(text);
}

void limitTyping(QLineEdit* box, int limit)
{
    box->setMaxLength(limit);
    // Shortening a long text lowers the allowance with it, down to the limit.
    QObject::connect(box, &QLineEdit::textEdited, box,
                     [box, limit](const QString& text) { box->setMaxLength(allowance(text, limit)); });
}

PlainTextLimit::PlainTextLimit(QPlainTextEdit* box, int limit) : QObject(box), box_(box), limit_(limit)
{
    connect(box_, &QPlainTextEdit::textChanged, this, &PlainTextLimit::changed);
}

void PlainTextLimit::setText(const QString& text)
{
    setting_ = true;
    box_->setPlainText(text);
    setting_ = false;
    accepted_ = text;
}

void PlainTextLimit::changed()
{
    if (setting_)
        return;
    const QString now = box_->toPlainText();
    if (now.size() <= limit_ || now.size() <= accepted_.size()) {
        accepted_ = now;
        return;
    }
    // Typed or pasted past the limit: the box goes back to what it held, cursor where it was.
    const int cursor =
        std::min(static_cast<int>(accepted_.size()),
                 box_->textCursor().position() - static_cast<int>(now.size() - accepted_.size()));
    setText(accepted_);
    QTextCursor c = box_->textCursor();
    c.setPosition(std::max(0, cursor));
    box_->setTextCursor(c);
}

} // namespace qbx
