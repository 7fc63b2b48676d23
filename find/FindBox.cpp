#include "FindBox.h"

#include "platform/Desktop.h"
#include "platform/IconPixmaps.h"
#include "platform/Logging.h"
#include "ui/PictureBox.h"
#include "ui/Windows.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace qbx {

FindBox::FindBox(const FindIndex& index, Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      index_(index), desktop_(desktop)
{
    setObjectName(QStringLiteral("FindBox"));
    setWindowTitle(QStringLiteral("查找程序"));
    setAccessibleName(windowTitle());
    setFont(songTiFont());

    findText = new QLineEdit(this);
    findText->setAccessibleName(QStringLiteral("查找程序"));
    findText->setPlaceholderText(QStringLiteral("输入名称、拼音或首字母"));
    findText->installEventFilter(this);

    results = new QListWidget(this);
    results->setAccessibleName(QStringLiteral("找到的程序"));
    results->setIconSize(QSize(24, 24));
    results->setUniformItemSizes(true);
    results->setFocusPolicy(Qt::NoFocus);

    nothingFound = new QLabel(QStringLiteral("没有找到程序"), this);
    nothingFound->setAlignment(Qt::AlignCenter);
    nothingFound->hide();

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addWidget(findText);
    column->addWidget(results);
    column->addWidget(nothingFound);
    resize(360, 420);

    connect(findText, &QLineEdit::textChanged, this,
            [this](const QString& typed) { guarded(lcWindows, "find box filter", [&] { fill(typed); }); });
    connect(results, &QListWidget::itemActivated, this,
            [this] { guarded(lcWindows, "find box choose", [this] { chooseCurrent(); }); });
}

void FindBox::open(const QRect& screen)
{
    findText->clear();
    fill(QString());
    wasActive_ = false;
    const QSize size = frameGeometry().size().expandedTo(this->size());
    QWidget::move(screen.x() + (screen.width() - size.width()) / 2, screen.y() + screen.height() / 5);
    show();
    raise();
    activateWindow();
    findText->setFocus();
}

void FindBox::refresh()
{
    if (isVisible())
        fill(findText->text());
}

QIcon FindBox::iconOf(const FindHit& hit)
{
    // One icon per program for the box's life: read (from the program-icon cache, at the tiles'
    // size) only when a row showing it is painted.
    const QString key = hit.kind == FindHit::Combination ? QString() : hit.path;
    auto it = icons_.constFind(key);
    if (it == icons_.cend())
        it = icons_.insert(key, key.isEmpty() ? QIcon()
                                              : programIconWhenShown(desktop_, key, PictureBox::kIconSize));
    return *it;
}

void FindBox::fill(const QString& typed)
{
    hits_ = index_.find(typed);
    rowHit_.clear();
    results->clear();
    bool applications = false;
    for (qsizetype i = 0; i < hits_.size(); ++i) {
        const FindHit& hit = hits_[i];
        if (hit.kind == FindHit::Application && !applications) {
            applications = true;
            auto* header = new QListWidgetItem(QStringLiteral("已安装的应用程序"), results);
            header->setFlags(Qt::NoItemFlags);
            rowHit_.append(-1);
        }
        const QString text =
            hit.kind == FindHit::Combination ? hit.title + QStringLiteral("（程序组合）") : hit.title;
        auto* item = new QListWidgetItem(iconOf(hit), text, results);
        item->setToolTip(hit.detail.isEmpty() ? hit.path : hit.detail);
        rowHit_.append(int(i));
    }
    const bool none = hits_.isEmpty();
    results->setVisible(!none);
    nothingFound->setVisible(none);
    results->setCurrentRow(-1);
    moveChoice(1);
}

void FindBox::moveChoice(int step)
{
    // The group header is passed over; at either end the choice stays where it is.
    for (int r = results->currentRow() + step; r >= 0 && r < results->count(); r += step)
        if (rowHit_[r] >= 0) {
            results->setCurrentRow(r);
            return;
        }
}

void FindBox::chooseCurrent()
{
    const int row = results->currentRow();
    if (row < 0 || row >= rowHit_.size() || rowHit_[row] < 0)
        return;
    const FindHit hit = hits_[rowHit_[row]];
    hide();
    emit entryChosen(hit);
}

bool FindBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == findText && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
            moveChoice(-1);
            return true;
        case Qt::Key_Down:
            moveChoice(1);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            guarded(lcWindows, "find box choose", [this] { chooseCurrent(); });
            return true;
        case Qt::Key_Escape:
            hide();
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FindBox::changeEvent(QEvent* event)
{
    // Another window taking the focus closes the box, as Escape does.
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            wasActive_ = true;
        else if (wasActive_ && isVisible())
            hide();
    }
    QWidget::changeEvent(event);
}

} // namespace qbx
