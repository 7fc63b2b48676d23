#pragma once
// Test helper: the main window's controls, found by their names as a reader of the window would.

#include "Named.h"
#include "mainwin/Form1.h"
#include "mainwin/HideTimer.h"
#include "ui/EventLabel.h"
#include "ui/PictureBox.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include <array>

namespace qbx::testing {

struct Form1Controls {
    explicit Form1Controls(const Form1& form)
        : f(form), Timer1(*named<HideTimer>(f, "Timer1")), Timer2(*named<HideTimer>(f, "Timer2"))
    {
        for (int i = 0; i < Form1::kTiles; ++i) {
            const auto at = static_cast<std::size_t>(i);
            Picture1[at] = named<PictureBox>(f, QStringLiteral("Picture1_%1").arg(i));
            Picture2[at] = named<PictureBox>(f, QStringLiteral("Picture2_%1").arg(i));
            Image2[at] = named<PictureBox>(f, QStringLiteral("Image2_%1").arg(i));
            Image3[at] = named<PictureBox>(f, QStringLiteral("Image3_%1").arg(i));
        }
    }

    const Form1& f;
    HideTimer& Timer1;
    HideTimer& Timer2;
    std::array<PictureBox*, Form1::kTiles> Picture1{};
    std::array<PictureBox*, Form1::kTiles> Picture2{};
    std::array<PictureBox*, Form1::kTiles> Image2{};
    std::array<PictureBox*, Form1::kTiles> Image3{};
    EventLabel* Label1 = named<EventLabel>(f, "Label1");
    EventLabel* Label3 = named<EventLabel>(f, "Label3");
    PictureBox* Image4 = named<PictureBox>(f, "Image4");
    QPushButton* Command1 = named<QPushButton>(f, "Command1");
    QPushButton* Command2 = named<QPushButton>(f, "Command2");
    QMenu* sz = named<QMenu>(f, "sz");
    QMenu* cz = named<QMenu>(f, "cz");
    QAction* fl = named<QAction>(f, "fl");
    QAction* cx = named<QAction>(f, "cx");
    QAction* xt = named<QAction>(f, "xt");
    QAction* zx = named<QAction>(f, "zx");
    QAction* yc = named<QAction>(f, "yc");
    QAction* gu = named<QAction>(f, "gu");
    QAction* bz = named<QAction>(f, "bz");
    QAction* tc = named<QAction>(f, "tc");
};

inline Form1Controls ui(const Form1& f)
{
    return Form1Controls(f);
}

} // namespace qbx::testing
