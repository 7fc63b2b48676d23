#include "ApplicationPicker.h"

#include "core/ApplicationFilter.h"
#include "platform/IconPixmaps.h"
#include "platform/Logging.h"
#include "ui/PictureBox.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace qbx {

ApplicationPicker::ApplicationPicker(const QList<InstalledApplication>& apps, Desktop& desktop,
                                     QWidget* parent)
    : QDialog(parent), apps_(apps)
{
    setWindowTitle(QStringLiteral("选择应用程序"));
    setAccessibleName(windowTitle());

    filterBox = new QLineEdit(this);
    filterBox->setPlaceholderText(QStringLiteral("输入名称筛选"));
    filterBox->setAccessibleName(QStringLiteral("输入名称筛选"));
    filterBox->setClearButtonEnabled(true);
    filterBox->installEventFilter(this);

    list = new QListWidget(this);
    list->setAccessibleName(QStringLiteral("应用程序"));
    list->setIconSize(QSize(32, 32));
    list->setUniformItemSizes(true);
    for (const InstalledApplication& app : apps_) {
        // A thousand applications: only the rows one sees draw their icons.
        auto* item = new QListWidgetItem(programIconWhenShown(desktop, app.path, PictureBox::kIconSize),
                                         app.name.isEmpty() ? app.fileId : app.name);
        item->setToolTip(app.comment);
        list->addItem(item);
    }

    browseButton = new QPushButton(QStringLiteral("浏览文件…"), this);
    okButton = new QPushButton(QStringLiteral("确定"), this);
    cancelButton = new QPushButton(QStringLiteral("取消"), this);
    okButton->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(browseButton);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(filterBox);
    column->addWidget(list);
    column->addLayout(buttons);
    resize(420, 480);

    connect(filterBox, &QLineEdit::textChanged, this, [this](const QString& typed) {
        guarded(lcWindows, "picker filter", [&] { applyFilter(typed); });
    });
    connect(list, &QListWidget::currentRowChanged, this,
            [this](int row) { okButton->setEnabled(row >= 0 && !list->item(row)->isHidden()); });
    connect(list, &QListWidget::itemActivated, this,
            [this] { guarded(lcWindows, "picker choose", [this] { chooseCurrent(); }); });
    connect(okButton, &QPushButton::clicked, this,
            [this] { guarded(lcWindows, "picker choose", [this] { chooseCurrent(); }); });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(browseButton, &QPushButton::clicked, this, [this] {
        emit browseRequested();
        reject();
    });

    list->setCurrentRow(apps_.isEmpty() ? -1 : 0);
    okButton->setEnabled(!apps_.isEmpty());
    filterBox->setFocus();
}

bool ApplicationPicker::eventFilter(QObject* watched, QEvent* event)
{
    // One types the filter and picks from what is left without leaving the keyboard.
    if (watched == filterBox && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(list, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ApplicationPicker::applyFilter(const QString& typed)
{
    int first = -1;
    for (int row = 0; row < list->count(); ++row) {
        const bool shown = applicationMatches(apps_[row], typed);
        list->item(row)->setHidden(!shown);
        if (shown && first < 0)
            first = row;
    }
    // What stays chosen is always a row one can see: the first one left when the current one
    // was filtered away.
    const int current = list->currentRow();
    if (current < 0 || list->item(current)->isHidden())
        list->setCurrentRow(first);
    okButton->setEnabled(first >= 0);
}

void ApplicationPicker::chooseCurrent()
{
    const int row = list->currentRow();
    if (row < 0 || list->item(row)->isHidden())
        return;
    emit applicationChosen(apps_[row].path);
    accept();
}

} // namespace qbx
