#pragma once
// Test helper: the category window's cells, found by their names.

#include "Named.h"
#include "catwin/Form3.h"
#include "ui/EventLabel.h"
#include "ui/PictureBox.h"

#include <array>

namespace qbx::testing {

struct Form3Controls {
    std::array<PictureBox*, Form3::kCells> Picture1{};
    std::array<EventLabel*, Form3::kCells> Label1{};
    std::array<EventLabel*, Form3::kCells> Label2{};
};

inline Form3Controls ui(const Form3& f)
{
    Form3Controls c;
    for (int n = 0; n < Form3::kCells; ++n) {
        const auto at = static_cast<std::size_t>(n);
        c.Picture1[at] = named<PictureBox>(f, QStringLiteral("Picture1_%1").arg(n));
        c.Label1[at] = named<EventLabel>(f, QStringLiteral("Label1_%1").arg(n));
        c.Label2[at] = named<EventLabel>(f, QStringLiteral("Label2_%1").arg(n));
    }
    return c;
}

} // namespace qbx::testing
