#pragma once
// How a change of the catalogue asked for in a dialog or a menu is told to the user, and the
// taking out of a program, which the classification editor and the command menu share.

class QWidget;

namespace qbx {

struct EditOutcome;
class Desktop;
class Launcher;

// Shows why a change was refused or taken back (when there is something to say); true when it
// was made and written.
bool showRefusal(Desktop& desktop, QWidget* parent, const EditOutcome& outcome);

// Takes the program at (major, minor, slot) out once the user has agreed to it. When the
// taken-out list has no free record left the user is told first that the program will be
// dropped and may still cancel. Refusals and failed writes are shown; true when it went out.
bool takeOutAgreed(Launcher& launcher, QWidget* parent, int major, int minor, int slot);

} // namespace qbx
