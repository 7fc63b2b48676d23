#include "Dump.h"

#include "Json.h"

#include <cstdio>

namespace qbxdata {

using namespace qbx;

namespace {

std::string hex(const std::array<std::uint8_t, 8>& block)
{
    std::string s;
    char buf[3];
    for (std::uint8_t b : block) {
        std::snprintf(buf, sizeof buf, "%02x", b);
        s += buf;
    }
    return s;
}

void programFields(Json& j, const ProgramEntry& e)
{
    j.field("name", e.name);
    j.field("exePath", e.exePath);
    j.field("reserved1", e.reserved1);
    j.field("reserved2", hex(e.reserved2));
    j.field("reserved3", hex(e.reserved3));
    j.field("reserved4", hex(e.reserved4));
    j.field("recordNo", e.recordNo);
    j.field("major", e.major);
    j.field("minor", e.minor);
    j.field("slot", e.slot);
    j.field("majorName", e.majorName);
    j.field("minorName", e.minorName);
    j.field("title", e.title);
    j.field("useCounter", e.useCounter);
    j.field("description", e.description);
    j.field("reserved5", hex(e.reserved5));
}

void comboFields(Json& j, const ComboEntry& c)
{
    j.field("name", c.name);
    j.field("useCounter", c.useCounter);
    j.field("recordNo", c.recordNo);
    j.beginArray("programs");
    for (std::int32_t p : c.programs)
        j.value(p);
    j.endArray();
    j.field("programCount", c.programCount);
    j.field("description", c.description);
    j.field("group", c.group);
    j.field("position", c.position);
    j.field("groupName", c.groupName);
}

} // namespace

void dump(const Folder& folder, std::ostream& out)
{
    const AppState& s = folder.state;
    Json j(out);
    j.beginObject();

    j.beginObject("settings");
    j.field("startMode", s.settings.startMode);
    j.field("mainHideDelayMs", s.settings.mainHideDelayMs);
    j.field("categoryHideDelayMs", s.settings.categoryHideDelayMs);
    j.field("ycount", s.settings.ycount);
    j.field("zhcount", s.settings.zhcount);
    j.field("wcount", s.settings.wcount);
    j.endObject();

    // Placed entries, in (major, minor, slot) order. loadAll places only records with a path.
    j.beginArray("catalogue");
    for (int ma = 0; ma < kMajors; ++ma)
        for (int mi = 0; mi < kMinors; ++mi)
            for (int sl = 0; sl < kSlots; ++sl) {
                const ProgramEntry& e = s.catalogue.at(ma, mi, sl);
                if (e.exePath.empty())
                    continue;
                j.beginObject();
                programFields(j, e);
                j.endObject();
            }
    j.endArray();

    j.beginArray("combos");
    for (int g = 0; g < kGroups; ++g)
        for (int p = 0; p < kPositions; ++p) {
            const ComboEntry& c = s.combos.at(g, p);
            if (c.groupName.empty())
                continue;
            j.beginObject();
            comboFields(j, c);
            j.endObject();
        }
    j.endArray();

    j.beginArray("unclassified");
    for (int k = 1; k <= s.unclassified.count(); ++k) {
        j.beginObject();
        j.field("index", k);
        programFields(j, s.unclassified.at(k));
        j.endObject();
    }
    j.endArray();

    // slotMap[major][name index] for the named majors, with the names beside them.
    j.beginArray("slotMap");
    for (int m = 0; m < kNamedMajors; ++m) {
        j.beginArray();
        for (int n = 0; n < kMinors; ++n)
            j.value(s.minorNames.at(m, n).slotMap);
        j.endArray();
    }
    j.endArray();
    j.beginArray("minorNames");
    for (int m = 0; m < kNamedMajors; ++m) {
        j.beginArray();
        for (int n = 0; n < kMinors; ++n) {
            // names are plain text: written through the quoting of a keyless field
            j.field({}, s.minorNames.at(m, n).name);
        }
        j.endArray();
    }
    j.endArray();

    j.endObject();
}

} // namespace qbxdata
