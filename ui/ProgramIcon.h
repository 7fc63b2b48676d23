#pragma once
// Draws the first icon of a program into a picture box, at its top-left corner, over what the
// box shows. An empty path draws nothing; a program without an icon draws nothing. The box's
// accessible name is the program's name as the window shows it, its description the program's
// path.

#include <QString>

#include <string>

namespace qbx {

class Desktop;
class PictureBox;
struct ProgramEntry;

void drawProgramIcon(Desktop& desktop, const std::string& exePath, const QString& shownName, PictureBox& box);

// The name a window shows for a filed program: its title, else its name.
QString shownTitle(const ProgramEntry& e);

} // namespace qbx
