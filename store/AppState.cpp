// The full paths of the program's own files, all inside the program folder.

#include "AppState.h"

namespace qbx {

std::filesystem::path AppState::programFile() const
{
    return file(kProgramFile);
}
std::filesystem::path AppState::unclassifiedFile() const
{
    return file(kUnclassifiedFile);
}
std::filesystem::path AppState::comboFile() const
{
    return file(kComboFile);
}
std::filesystem::path AppState::settingsFile() const
{
    return file(kSettingsFileName);
}

} // namespace qbx
