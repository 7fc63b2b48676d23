#pragma once
// A temporary program folder with its own state and a fake desktop, for the combination windows:
// programs filed in the catalogue and in "yfrj.dat", combinations in the table and "zhrj.dat".

#include "store/Store.h"
#include "tests/support/PlacedProgram.h"
#include "tests/support/TempProgramFolder.h"

#include <QFile>

#include <initializer_list>

namespace qbx::test {

struct ComboFixture : testing::TempProgramFolder {
    ComboFixture()
    {
        state.minorNames.fillBuiltIn();
        rebuildSlotMap(state);
    }

    // A program filed at (major, minor, slot) under `recordNo`, in memory and in "yfrj.dat".
    ProgramEntry& file(int major, int minor, int slot, const std::string& name, int recordNo)
    {
        ProgramEntry& e = testing::placeProgram(state, major, minor, slot, name);
        e.exePath = "/opt/" + name + "/" + name;
        e.recordNo = recordNo;
        e.useCounter = 10 - slot;
        writeRecord(e);
        return e;
    }

    // A combination at (group, position) with `members` and its own record.
    ComboEntry& combo(int group, int position, const std::string& groupName, const std::string& name,
                      std::initializer_list<int> members, int useCounter = 1)
    {
        ComboEntry& c = state.combos.at(group, position);
        c.groupName = groupName;
        c.name = name;
        c.description = name + "说明";
        c.group = static_cast<std::int16_t>(group);
        c.position = static_cast<std::int16_t>(position);
        c.useCounter = useCounter;
        c.recordNo = group * 5 + position + 1;
        c.programs = {};
        int k = 0;
        for (int m : members)
            c.programs[static_cast<std::size_t>(k++)] = m;
        c.programCount = static_cast<std::int16_t>(k);
        if (!saveComboEntry(state, group, position))
            qFatal("could not write combination %d/%d", group, position);
        return c;
    }

    QByteArray bytesOf(const std::filesystem::path& p) const
    {
        QFile f(QString::fromStdString(p.string()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

} // namespace qbx::test
