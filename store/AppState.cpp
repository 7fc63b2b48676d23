// The full paths of the data files, all inside the data folder.

#include "AppState.h"

namespace qbx {

std::filesystem::path AppState::programFile() const
{
    return dataFile(kProgramFile);
}
std::filesystem::path AppState::unclassifiedFile() const
{
    return dataFile(kUnclassifiedFile);
}
std::filesystem::path AppState::comboFile() const
{
    return dataFile(kComboFile);
}
std::filesystem::path AppState::settingsFile() const
{
    return dataFile(kSettingsFileName);
}

} // namespace qbx
