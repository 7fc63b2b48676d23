#pragma once
// The core's program folder with a fake main window, for the classification editor's window tests.

#include "CoreFixture.h"
#include "editing/Form6.h"
#include "ui/MainWindowLink.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace qbx::test {

class FakeLink : public MainWindowLink {
public:
    QWidget* ownerWindow() override { return nullptr; }
    void closePopups() override { ++popupsClosed; }
    void restoreAutoHide() override { ++autoHideRestored; }
    void setCategoryTimer(bool on) override { categoryTimer = on; }
    void setHideTimers(bool on) override { categoryTimer = on; }
    bool roomOnRight() override { return room; }
    bool pointerOnArrow() const override { return false; }
    QRect popupTwipGeometry() override { return {}; }
    QRect columnScreen() const override { return {}; }

    int popupsClosed = 0;
    int autoHideRestored = 0;
    bool categoryTimer = false;
    bool room = true;
};

inline std::string u8s(const QString& s)
{
    return s.toUtf8().toStdString();
}

struct EditorFixture : qbx::testing::CoreFixture {
    FakeLink link;
    std::unique_ptr<Form6> form;

    Form6& open(Form6Mode mode, std::optional<ProgramPlace> place = std::nullopt)
    {
        refreshMainWindow(state);
        form = std::make_unique<Form6>(launcher, link);
        form->load(mode, place);
        form->show();
        return *form;
    }

    // Selects major row m and minor name row k in the editor's lists.
    void choose(int m, int k)
    {
        form->List1->setCurrentRow(m);
        form->List2->setCurrentRow(k);
    }

    // Runs "查找程序" with `path` chosen in the file dialog.
    void find(const QString& path)
    {
        desktop.setNextFileName(path);
        QTest::mouseClick(form->Command7, Qt::LeftButton);
    }
    void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
};

} // namespace qbx::test
