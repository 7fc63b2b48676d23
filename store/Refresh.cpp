// What the main window derives from the catalogue: which catalogue minor position holds each
// minor name's programs.

#include "Store.h"

namespace qbx {

void rebuildSlotMap(AppState& state)
{
    for (int m = 0; m < kNamedMajors; ++m) {
        std::array<bool, kMinors> held{};
        for (int n = 0; n < kMinors; ++n)
            state.minorNames.at(m, n).slotMap = 5;

        // Each minor position whose slot 0 holds a program maps the first name it carries.
        for (int k = 0; k < kMinors; ++k) {
            const ProgramEntry& top = state.catalogue.at(m, k, 0);
            if (top.name.empty())
                continue;
            for (int n = 0; n < kMinors; ++n) {
                MinorName& mn = state.minorNames.at(m, n);
                if (mn.name == top.minorName) {
                    if (mn.slotMap != 5)
                        held[static_cast<std::size_t>(mn.slotMap)] = false; // a later position wins
                    mn.slotMap = static_cast<std::int16_t>(k);
                    held[static_cast<std::size_t>(k)] = true;
                    break;
                }
            }
        }

        // Names without programs take the empty positions from the first empty one on (or from
        // 0 when none is empty). Positions already shown under another name are passed over
        // and the count wraps within 0-4, so damaged data can neither give two names one
        // position nor a position outside the catalogue.
        int f = 0;
        for (int k = 0; k < kMinors; ++k) {
            if (state.catalogue.at(m, k, 0).name.empty()) {
                f = k;
                break;
            }
        }
        int next = f;
        for (int n = 0; n < kMinors; ++n) {
            MinorName& mn = state.minorNames.at(m, n);
            if (mn.slotMap != 5)
                continue;
            for (int tries = 0; tries < kMinors && held[static_cast<std::size_t>(next)]; ++tries)
                next = (next + 1) % kMinors;
            mn.slotMap = static_cast<std::int16_t>(next);
            held[static_cast<std::size_t>(next)] = true;
            next = (next + 1) % kMinors;
        }
    }
}

void refreshMainWindow(AppState& state)
{
    rebuildSlotMap(state);
}

} // namespace qbx
