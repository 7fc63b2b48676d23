#pragma once
// Shared pieces of the start and auto-hide window tests: a temporary program folder with a
// catalogue, and a main-window link that records what it was asked to do.

#include "AppState.h"
#include "MainWindowLink.h"
#include "PlacedProgram.h"
#include "RecordCodec.h"
#include "RecordFile.h"

#include <QTemporaryDir>

#include <optional>
#include <string>

namespace qbx::testing {

struct TempApp {
    QTemporaryDir dir;
    AppState state;
    TempApp() {
        state.appDir = std::filesystem::path(dir.path().toStdString());
        state.minorNames.fillBuiltIn();
    }
    // Files a program at (major, minor, slot) with its record number and use count.
    ProgramEntry& file(int major, int minor, int slot, const std::string& name, const std::string& path,
                       int useCounter, int recordNo) {
        ProgramEntry& e = placeProgram(state, major, minor, slot, name);
        e.exePath = path;
        e.title = name;
        e.useCounter = useCounter;
        e.recordNo = recordNo;
        return e;
    }
    bool programFileExists() const { return std::filesystem::exists(state.programFile()); }
    // Record `recordNo` of "yfrj.dat" as the file holds it now.
    std::optional<ProgramEntry> record(int recordNo) const {
        RecordFile f(state.programFile(), kProgramRecordLength);
        auto bytes = f.read(recordNo);
        if (!bytes)
            return std::nullopt;
        ProgramEntry e;
        decodeRecord(bytes.value(), e);
        return e;
    }
};

class RecordingLink : public MainWindowLink {
public:
    int closed = 0;
    int restored = 0;
    std::optional<bool> timers;        // last setHideTimers
    std::optional<bool> categoryTimer; // last setCategoryTimer
    QWidget* ownerWindow() override { return nullptr; }
    void closePopups() override { ++closed; }
    void restoreAutoHide() override { ++restored; }
    void setCategoryTimer(bool on) override { categoryTimer = on; }
    void setHideTimers(bool on) override { timers = on; }
    bool roomOnRight() override { return true; }
};

} // namespace qbx::testing
