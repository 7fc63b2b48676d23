#pragma once
// Draws the first icon of a program into a picture box, at its top-left corner, over what the
// box shows. An empty path draws nothing; a program without an icon draws nothing. The box's
// accessible description names the program shown.

#include <string>

namespace qbx {

class Desktop;
class PictureBox;

void drawProgramIcon(Desktop& desktop, const std::string& exePath, PictureBox& box);

} // namespace qbx
