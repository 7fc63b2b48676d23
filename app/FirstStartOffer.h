#pragma once
// The first start's question: with no program filed and the question never answered, and
// applications installed on this machine, the user is asked once ("确定"/"取消") whether to file
// them by their categories. The answer, either way, is kept in the settings file.

class QWidget;

namespace qbx {

class Launcher;

void offerInstalledApplications(Launcher& launcher, QWidget* parent);

} // namespace qbx
