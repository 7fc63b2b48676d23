#include "InstalledImport.h"

#include "ApplicationCategories.h"
#include "CatalogueEdits.h"
#include "Launcher.h"
#include "ProgramChoice.h"
#include "platform/Logging.h"
#include "store/Ini.h"

namespace qbx {

namespace {

std::string utf8(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

bool catalogueEmpty(const AppState& state)
{
    for (int major = 0; major < kMajors; ++major)
        for (int minor = 0; minor < kMinors; ++minor)
            for (int slot = 0; slot < kSlots; ++slot)
                if (!state.catalogue.at(major, minor, slot).name.empty())
                    return false;
    return true;
}

} // namespace

bool installedImportOffered(const AppState& state)
{
    if (!catalogueEmpty(state))
        return false;
    return readIniInt(kSectionBasic, kKeyAppsOffered, 0, state.settingsFile()).value_or(0) == 0;
}

bool rememberImportAnswered(const AppState& state)
{
    const bool written = writeIniInt(kSectionBasic, kKeyAppsOffered, 1, state.settingsFile());
    if (!written)
        qCWarning(lcStore) << "the answer to the import offer could not be written to the settings file";
    return written;
}

int fileInstalledApplications(Launcher& launcher, const QList<InstalledApplication>& apps)
{
    int filed = 0;
    for (const InstalledApplication& app : apps) {
        const ChosenProgram chosen = describeChosenFile(app.path);
        ProgramEntry program;
        program.exePath = utf8(app.path);
        program.name =
            nameForFiling(launcher.state(), utf8(chosen.name), utf8(chosen.fileId), program.exePath);
        if (program.name.empty())
            continue; // filed already
        const CategoryPlace place = placeForCategories(app.categories);
        const EditOutcome outcome =
            launcher.fileProgram(program, place.major, place.nameIndex, utf8(trimBlanks(chosen.title)),
                                 utf8(trimBlanks(chosen.description)));
        if (outcome.applied)
            ++filed;
        else if (outcome.refusal && !outcome.refusal->empty())
            qCInfo(lcStore) << "not filed:" << app.path << QString::fromStdString(*outcome.refusal);
    }
    return filed;
}

} // namespace qbx
