#pragma once
// "选择应用程序": the installed applications by their icon and Name (the Comment as a tooltip),
// narrowed as one types into "输入名称筛选"; the arrow keys there move through the list. "确定",
// Enter or a double click chooses one; "浏览文件…" asks for the file dialog instead. The dialog
// closes after either.

#include "platform/Desktop.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace qbx {

class ApplicationPicker : public QDialog {
    Q_OBJECT

public:
    // Lists `apps` with the icons `desktop` finds for their desktop entries.
    ApplicationPicker(const QList<InstalledApplication>& apps, Desktop& desktop, QWidget* parent = nullptr);

    QLineEdit* filterBox;
    QListWidget* list;
    QPushButton* browseButton;
    QPushButton* okButton;
    QPushButton* cancelButton;

signals:
    // The user chose the application whose desktop entry is `path`.
    void applicationChosen(const QString& path);
    // The user wants to choose a file instead.
    void browseRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyFilter(const QString& typed);
    void chooseCurrent();

    QList<InstalledApplication> apps_;
};

} // namespace qbx
