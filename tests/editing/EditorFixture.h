#pragma once
// A temporary program folder with its own state, a fake desktop and a fake main window for the
// classification editor's window tests.

#include "PlacedProgram.h"
#include "Form6.h"
#include "Launcher.h"
#include "MainWindowLink.h"
#include "Store.h"
#include "TempProgramFolder.h"
#include "Unclassified.h"

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

    int popupsClosed = 0;
    int autoHideRestored = 0;
    bool categoryTimer = false;
    bool room = true;
};

inline std::string u8s(const QString& s) { return s.toUtf8().toStdString(); }

struct EditorFixture : qbx::testing::TempProgramFolder {
    FakeLink link;
    Launcher launcher{state, desktop};
    std::unique_ptr<Form6> form;

    EditorFixture()
    {
        state.minorNames.fillBuiltIn();
        rebuildSlotMap(state);
    }

    std::filesystem::path ini() const { return state.settingsFile(); }

    void setIni(const char* key, int value)
    {
        writeIniInt(kSectionBasic, key, static_cast<std::int16_t>(value), ini());
        readSettings(ini(), state.settings);
    }
    int iniValue(const char* key) const { return readIniInt(kSectionBasic, key, -99, ini()).value_or(-98); }

    // A program filed directly (not through the editor) and written to "yfrj.dat".
    ProgramEntry& put(int major, int minor, int slot, const std::string& name, int recordNo, int useCounter = 1)
    {
        state.catalogue.at(major, minor, slot) = ProgramEntry{};
        ProgramEntry& e = qbx::testing::placeProgram(state, major, minor, slot, name);
        e.exePath = "/opt/" + name + "/" + name;
        e.recordNo = recordNo;
        e.title = name.substr(0, 3);
        e.useCounter = useCounter;
        e.description = "about " + name;
        const bool saved = saveProgramEntry(state, major, minor, slot).ok();
        if (!saved)
            qFatal("could not write a test record");
        return e;
    }

    // What the files hold: a fresh state loaded the way start-up loads it.
    AppState reload() const
    {
        AppState fresh;
        fresh.appDir = state.appDir;
        readSettings(fresh.settingsFile(), fresh.settings);
        fresh.minorNames.fillBuiltIn();
        fresh.unclassified.resize(fresh.settings.wcount);
        loadAll(fresh);
        rebuildSlotMap(fresh);
        return fresh;
    }

    ProgramEntry programRecord(int recordNo) const { return readProgramRecord(state, recordNo); }
    ProgramEntry unclassifiedRecord(int recordNo) const
    {
        ProgramEntry e;
        auto bytes = RecordFile(state.unclassifiedFile(), kProgramRecordLength).read(recordNo);
        if (bytes)
            decodeRecord(bytes.value(), e);
        return e;
    }

    Form6& open(Form6Mode mode)
    {
        refreshMainWindow(state);
        form = std::make_unique<Form6>(launcher, link);
        form->load(mode);
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

    // The catalogue place holding the programs of minor name k of major m, in a given state.
    static int column(const AppState& s, int m, int k) { return s.minorNames.at(m, k).slotMap; }
};

} // namespace qbx::test
