#pragma once
// Test helper: a program folder of its own in a temporary directory, the state that works on it
// and a scripted desktop; records are written to and read from its data files.

#include "platform/Paths.h"
#include "platform/fake/FakeDesktop.h"
#include "store/AppState.h"
#include "store/Ini.h"
#include "store/RecordCodec.h"
#include "store/RecordFile.h"

#include <QTemporaryDir>

#include <optional>

namespace qbx::testing {

struct TempProgramFolder {
    QTemporaryDir dir;
    AppState state;
    FakeDesktop desktop;

    TempProgramFolder() { state.appDir = textPath(dir.path()); }

    void writeSetting(const char* section, const char* key, int value)
    {
        writeIniInt(section, key, static_cast<std::int16_t>(value), state.settingsFile());
    }
    // A key of the settings file as it holds it now; -1 when the key is missing.
    std::optional<std::int16_t> readSetting(const char* section, const char* key) const
    {
        return readIniInt(section, key, -1, state.settingsFile());
    }

    // Writes an entry to "yfrj.dat" / "zhrj.dat" at its record number.
    void writeRecord(const ProgramEntry& e) const
    {
        RecordFile f(state.programFile(), kProgramRecordLength);
        if (!f.write(e.recordNo, encodeRecord(e).value()))
            qFatal("could not write program record %d", e.recordNo);
    }
    void writeRecord(const ComboEntry& e) const
    {
        RecordFile f(state.comboFile(), kComboRecordLength);
        if (!f.write(e.recordNo, encodeRecord(e).value()))
            qFatal("could not write combination record %d", e.recordNo);
    }

    // Record `recordNo` of "yfrj.dat" as the file holds it now.
    std::optional<ProgramEntry> record(int recordNo) const
    {
        RecordFile f(state.programFile(), kProgramRecordLength);
        auto bytes = f.read(recordNo);
        if (!bytes)
            return std::nullopt;
        ProgramEntry e;
        decodeRecord(bytes.value(), e);
        return e;
    }
};

} // namespace qbx::testing
