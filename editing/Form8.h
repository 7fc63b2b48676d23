#pragma once
// The change-title dialog "更改标题": a new title (at most five typed characters) for one filed
// program, or none.
//
// Accessible names: window title "更改标题"; labels and buttons by their texts, the title box "标题".

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace qbx {

class Launcher;
class MainWindowLink;

class Form8 : public QDialog {
    Q_OBJECT
public:
    // For the program at (major, minor, slot); `link` is the main window, which owns the dialog.
    Form8(Launcher& launcher, MainWindowLink& link, int major, int minor, int slot);

    QLabel* Label1;
    QLabel* Label2;
    QLineEdit* Text1;
    QPushButton* Command1; // "确定"
    QPushButton* Command2; // "取消"
    QPushButton* Command3; // "清除标题"

private:
    void Form_Load();
    void Command1_Click();
    void Command3_Click();
    // Writes `title` for the program; the dialog stays open when the change was refused.
    bool retitle(const QString& title);

    Launcher& launcher_;
    MainWindowLink& link_;
    int major_;
    int minor_;
    int slot_;
};

} // namespace qbx
