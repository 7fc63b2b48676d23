// Writes a small data folder with the store of this build: programs with Chinese texts (one with
// a character from the private-use area Windows gives to code page 936's extra codes), a program
// taken out, a combination and the settings. Usage: qbx_sample_folder DIR

#include "store/AppState.h"
#include "store/Ini.h"
#include "store/RecordCodec.h"
#include "store/RecordFile.h"
#include "store/Settings.h"

#include <cstdio>
#include <filesystem>

namespace {

bool put(const std::filesystem::path& file, int length, int recordNo, const auto& entry)
{
    const qbx::Result<qbx::Bytes> bytes = qbx::encodeRecord(entry);
    return bytes && qbx::RecordFile(file, length).write(recordNo, bytes.value()).ok();
}

qbx::ProgramEntry program(const char* name, int recordNo, int major, int minor, int slot, int uses)
{
    qbx::ProgramEntry p;
    p.name = name;
    p.exePath = std::string("C:\\Program Files\\") + name + "\\" + name + ".exe";
    p.recordNo = recordNo;
    p.major = static_cast<std::int16_t>(major);
    p.minor = static_cast<std::int16_t>(minor);
    p.slot = static_cast<std::int16_t>(slot);
    p.majorName = "办公";
    p.minorName = "文字处理";
    p.title = std::string(name) + "exe";
    p.useCounter = uses;
    p.description = "样本程序";
    return p;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: qbx_sample_folder DIR\n");
        return 2;
    }
    qbx::AppState s;
    s.appDir = argv[1];
    std::filesystem::create_directories(s.appDir);

    bool ok = put(s.programFile(), qbx::kProgramRecordLength, 1, program("记事本", 1, 0, 0, 0, 7));
    ok = put(s.programFile(), qbx::kProgramRecordLength, 2, program("画图\uE766", 2, 0, 0, 1, 3)) && ok;
    ok = put(s.programFile(), qbx::kProgramRecordLength, 4, program("计算器", 4, 4, 2, 0, 1)) && ok;
    ok = put(s.unclassifiedFile(), qbx::kProgramRecordLength, 1, program("旧程序", 3, 0, 0, 0, -1)) && ok;

    qbx::ComboEntry combo;
    combo.name = "写作";
    combo.useCounter = 2;
    combo.recordNo = 1;
    combo.programs = {1, 2, 0, 0, 0};
    combo.programCount = 2;
    combo.description = "记事本和画图";
    combo.groupName = "日常";
    ok = put(s.comboFile(), qbx::kComboRecordLength, 1, combo) && ok;

    const std::filesystem::path ini = s.settingsFile();
    ok = qbx::writeIniInt(qbx::kSectionBasic, qbx::kKeyStartMode, 2, ini) && ok;
    ok = qbx::writeIniInt(qbx::kSectionBasic, qbx::kKeyYcount, 4, ini) && ok;
    ok = qbx::writeIniInt(qbx::kSectionBasic, qbx::kKeyZhcount, 1, ini) && ok;
    ok = qbx::writeIniInt(qbx::kSectionBasic, qbx::kKeyWcount, 1, ini) && ok;
    ok = qbx::writeIniInt(qbx::kSectionHide, qbx::kKeyMainDelay, 2500, ini) && ok;
    ok = qbx::writeIniInt(qbx::kSectionHide, qbx::kKeyCategoryDelay, 800, ini) && ok;
    if (!ok)
        std::fprintf(stderr, "could not write the folder %s\n", argv[1]);
    return ok ? 0 : 1;
}
