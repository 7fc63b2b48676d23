#pragma once
// "查找程序": a small window above all others with a text box and the programs found below it:
// the filed programs and combinations, then, under "已安装的应用程序", the applications not
// filed (FindIndex.h says what matches and in which order). Up and Down move through the list
// while one types, Enter or a double click chooses, Escape or leaving the window closes it.
//
// Names the desktop's accessibility interface shows: window "查找程序", text box "查找程序",
// list "找到的程序" (its rows by their text), "没有找到程序" when nothing matches.

#include "core/FindIndex.h"

#include <QHash>
#include <QIcon>
#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;

namespace qbx {

class Desktop;

class FindBox : public QWidget {
    Q_OBJECT
public:
    // Lists from `index`, with the icons `desktop` finds; both outlive the box.
    FindBox(const FindIndex& index, Desktop& desktop, QWidget* parent = nullptr);

    // Shows the box empty in the upper part of `screen`, lists everything and takes the focus.
    void open(const QRect& screen);
    // The index changed: the list is made again for what is typed.
    void refresh();

    QLineEdit* findText;
    QListWidget* results;
    QLabel* nothingFound;

signals:
    // The user chose `hit` (the box has closed).
    void entryChosen(const qbx::FindHit& hit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void fill(const QString& typed);
    void moveChoice(int step);
    void chooseCurrent();
    QIcon iconOf(const FindHit& hit);

    const FindIndex& index_;
    Desktop& desktop_;
    QList<FindHit> hits_; // row r of the list shows hits_[rowHit_[r]]; headers show -1
    QList<int> rowHit_;
    QHash<QString, QIcon> icons_;
    bool wasActive_ = false;
};

} // namespace qbx
