#include "CatalogueEdits.h"

namespace qbx {

int minorColumn(const AppState& state, int major, int nameIndex)
{
    if (major < 0 || major >= kNamedMajors || nameIndex < 0 || nameIndex >= kMinors)
        return -1;
    const int mapped = state.minorNames.at(major, nameIndex).slotMap;
    if (mapped >= 0 && mapped < kMinors)
        return mapped;
    for (int c = 0; c < kMinors; ++c) {
        if (state.catalogue.at(major, c, 0).name.empty())
            return c;
    }
    return -1;
}

int firstFreeSlot(const AppState& state, int major, int minor)
{
    for (int k = 0; k < kSlots; ++k) {
        if (state.catalogue.at(major, minor, k).name.empty())
            return k;
    }
    return -1;
}

std::optional<std::pair<int, int>> locateEntry(const AppState& state, int major, const ProgramEntry& like)
{
    for (int c = 0; c < kMinors; ++c) {
        for (int s = 0; s < kSlots; ++s) {
            const ProgramEntry& e = state.catalogue.at(major, c, s);
            if (!e.name.empty() && e.name == like.name && e.exePath == like.exePath &&
                e.recordNo == like.recordNo)
                return std::make_pair(c, s);
        }
    }
    return std::nullopt;
}

void releaseRecordNo(AppState& state, int recordNo)
{
    if (recordNo < 1)
        return;
    for (auto& major : state.catalogue.e)
        for (auto& minor : major)
            for (ProgramEntry& e : minor)
                if (e.name.empty() && e.recordNo == recordNo)
                    e.recordNo = 0;
}

namespace {

template <typename Pred>
bool anyFiled(const AppState& state, Pred pred)
{
    for (const auto& major : state.catalogue.e)
        for (const auto& minor : major)
            for (const ProgramEntry& e : minor)
                if (!e.name.empty() && pred(e))
                    return true;
    return false;
}

} // namespace

bool nameFiled(const AppState& state, const std::string& name)
{
    return !name.empty() && anyFiled(state, [&](const ProgramEntry& e) { return e.name == name; });
}

bool pathFiled(const AppState& state, const std::string& exePath)
{
    return !exePath.empty() && anyFiled(state, [&](const ProgramEntry& e) { return e.exePath == exePath; });
}

std::string nameForFiling(const AppState& state, const std::string& name, const std::string& fileId,
                          const std::string& exePath)
{
    std::string base = name;
    if (nameFiled(state, base) && !fileId.empty() && !pathFiled(state, exePath))
        base = fileId;
    return nameFiled(state, base) ? std::string() : base;
}

} // namespace qbx
