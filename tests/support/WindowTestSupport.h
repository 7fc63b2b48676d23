#pragma once
// Shared pieces of the window tests: a temporary program folder with skins and data files, a
// scripted desktop, and programs filed in the catalogue.

#include "PlacedProgram.h"
#include "TempProgramFolder.h"
#include "store/Catalogue.h"
#include "store/Settings.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QStringList>

#include <filesystem>
#include <string>

namespace qbx::testing {

inline QIcon solidIcon(QColor colour)
{
    QPixmap p(32, 32);
    p.fill(colour);
    return QIcon(p);
}

struct WindowApp : TempProgramFolder {
    WindowApp() { desktop.setScreenGeometry(QRect(0, 0, 1024, 768)); }

    // Every skin picture the main window shows, as small solid pictures.
    void writeSkins()
    {
        std::filesystem::create_directories(state.appDir / "skin");
        QStringList names{"pnl11.jpg", "pnl12.jpg", "pnl13.jpg", "pnl21.jpg", "pnl22.jpg"};
        for (int n = 1; n <= 7; ++n)
            names << QStringLiteral("pnl3%1%2.jpg").arg(n).arg(1)
                  << QStringLiteral("pnl3%1%2.jpg").arg(n).arg(2);
        int shade = 40;
        for (const QString& name : names) {
            QImage img(24, 24, QImage::Format_RGB32);
            img.fill(QColor(shade, 80, 160));
            shade += 9;
            img.save(QString::fromStdString((state.appDir / "skin").string()) + "/" + name, "JPG");
        }
    }

    // Files a program in memory at (major, minor, slot) and gives the fake desktop an icon for it.
    ProgramEntry& file(int major, int minor, int slot, const std::string& name, int useCounter,
                       int recordNo = 0)
    {
        ProgramEntry& e = placeProgram(state, major, minor, slot, name);
        e.exePath = std::string("/opt/").append(name).append(".exe");
        e.title = std::string(name).append("标题");
        e.description = std::string(name).append("说明");
        e.useCounter = useCounter;
        e.recordNo = recordNo;
        desktop.setIcon(QString::fromStdString(e.exePath), solidIcon(QColor(200, 30 + 20 * slot, 30)));
        return e;
    }
};

inline ComboEntry combo(int group, int position, const std::string& groupName, const std::string& name,
                        int firstMember, int useCounter = 1)
{
    ComboEntry c;
    c.groupName = groupName;
    c.name = name;
    c.description = std::string(name).append("说明");
    c.group = static_cast<std::int16_t>(group);
    c.position = static_cast<std::int16_t>(position);
    c.programs[0] = firstMember;
    c.programCount = firstMember > 0 ? 1 : 0;
    c.useCounter = useCounter;
    c.recordNo = group * 5 + position + 1;
    return c;
}

} // namespace qbx::testing
