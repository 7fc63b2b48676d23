#pragma once
// The ordering routines exactly as first described: every compared pair is written, one record
// at a time. The program writes only what changed; tests and benchmarks hold it against this.

#include "store/Store.h"

#include <utility>

namespace qbx::reference {

inline void sortMinorCategory(AppState& s, int major, int minor, int* writes = nullptr)
{
    int count = 0;
    auto save = [&](int ma, int mi, int sl) {
        if (s.catalogue.at(ma, mi, sl).recordNo >= 1)
            ++count;
        (void)saveProgramEntry(s, ma, mi, sl); // errors are skipped, statement by statement
    };
    if (major >= 0 && major < kMajors && minor >= 0 && minor < kMinors) {
        for (int i = 0; i <= 23; ++i)
            for (int j = i + 1; j <= 24; ++j) {
                if (s.catalogue.at(major, minor, i).useCounter < s.catalogue.at(major, minor, j).useCounter) {
                    std::swap(s.catalogue.at(major, minor, i), s.catalogue.at(major, minor, j));
                    s.catalogue.at(major, minor, i).slot = static_cast<std::int16_t>(i);
                    s.catalogue.at(major, minor, j).slot = static_cast<std::int16_t>(j);
                }
                save(major, minor, j);
                save(major, minor, i);
            }
    }
    if (major >= 0 && major < kMajors) {
        for (int i = 0; i <= 3; ++i)
            for (int j = i + 1; j <= 4; ++j)
                if (s.catalogue.at(major, i, 0).useCounter < s.catalogue.at(major, j, 0).useCounter)
                    for (int k = 0; k <= 24; ++k) {
                        std::swap(s.catalogue.at(major, i, k), s.catalogue.at(major, j, k));
                        s.catalogue.at(major, i, k).minor = static_cast<std::int16_t>(i);
                        s.catalogue.at(major, j, k).minor = static_cast<std::int16_t>(j);
                        save(major, i, k);
                        save(major, j, k);
                    }
    }
    refreshMainWindow(s);
    if (writes)
        *writes = count;
}

inline void sortComboGroup(AppState& s, int group, int* writes = nullptr)
{
    int count = 0;
    auto save = [&](int g, int p) {
        if (s.combos.at(g, p).recordNo >= 1)
            ++count;
        (void)saveComboEntry(s, g, p);
    };
    if (group >= 0 && group < kGroups) {
        for (int i = 0; i <= 3; ++i)
            for (int j = i + 1; j <= 4; ++j) {
                if (s.combos.at(group, i).useCounter < s.combos.at(group, j).useCounter) {
                    std::swap(s.combos.at(group, i), s.combos.at(group, j));
                    s.combos.at(group, i).position = static_cast<std::int16_t>(i);
                    s.combos.at(group, j).position = static_cast<std::int16_t>(j);
                }
                save(group, j);
                save(group, i);
            }
    }
    for (int i = 0; i <= 3; ++i)
        for (int j = i + 1; j <= 4; ++j)
            if (s.combos.at(i, 0).useCounter < s.combos.at(j, 0).useCounter)
                for (int k = 0; k <= 4; ++k) {
                    std::swap(s.combos.at(i, k), s.combos.at(j, k));
                    s.combos.at(i, k).group = static_cast<std::int16_t>(i);
                    s.combos.at(j, k).group = static_cast<std::int16_t>(j);
                    save(i, k);
                    save(j, k);
                }
    refreshMainWindow(s);
    if (writes)
        *writes = count;
}

} // namespace qbx::reference
