#pragma once
// Test helper: a program folder with the core working on it, programs filed in memory or written
// to the data files, and the files read back the way start-up reads them.

#include "PlacedProgram.h"
#include "TempProgramFolder.h"
#include "core/Launcher.h"
#include "store/Ini.h"
#include "store/Store.h"
#include "store/Unclassified.h"

#include <QtGlobal>

#include <string>

namespace qbx::testing {

struct CoreFixture : TempProgramFolder {
    Launcher launcher{state, desktop};

    CoreFixture()
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

    // A program filed in memory only, with its path, use count and record number.
    ProgramEntry& file(int major, int minor, int slot, const std::string& name, const std::string& path,
                       int useCounter, int recordNo)
    {
        ProgramEntry& e = placeProgram(state, major, minor, slot, name);
        e.exePath = path;
        e.title = name;
        e.useCounter = useCounter;
        e.recordNo = recordNo;
        return e;
    }

    // A program filed directly (not through an operation) and written to "yfrj.dat".
    ProgramEntry& put(int major, int minor, int slot, const std::string& name, int recordNo,
                      int useCounter = 1)
    {
        state.catalogue.at(major, minor, slot) = ProgramEntry{};
        ProgramEntry& e = file(major, minor, slot, name, "/opt/" + name + "/" + name, useCounter, recordNo);
        e.title = name.substr(0, 3);
        e.description = "about " + name;
        if (!saveProgramEntry(state, major, minor, slot).ok())
            qFatal("could not write a test record");
        return e;
    }

    // A record of the list of programs taken out, written at position k.
    void putUnclassified(int k, const std::string& name, int recordNo)
    {
        UnclassifiedEntry e;
        e.name = name;
        e.exePath = "/old/" + name;
        e.recordNo = recordNo;
        state.unclassified.at(k) = e;
        if (!saveUnclassifiedEntry(state, k).ok())
            qFatal("could not write a test record");
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

    // The catalogue place holding the programs of minor name k of major m, in a given state.
    static int column(const AppState& s, int m, int k) { return s.minorNames.at(m, k).slotMap; }
};

} // namespace qbx::testing
