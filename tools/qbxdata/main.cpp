// qbx-data: what start-up loads from a data folder (dump, as JSON) and what is wrong in it (check).
// Exit status: 0 clean, 1 problems found (check) or bad usage, 2 folder unreadable.

#include "Check.h"
#include "Dump.h"
#include "Folder.h"
#include "generated/Version.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

int usage()
{
    std::cerr << "usage: qbx-data dump [DIR]\n"
                 "       qbx-data check [DIR]\n"
                 "       qbx-data --version\n"
                 "DIR defaults to the data folder of the program beside qbx-data.\n";
    return 1;
}

int run(int argc, char** argv)
{
    if (argc < 2 || argc > 3)
        return usage();
    const std::string command = argv[1];
    if (command == "--version" && argc == 2) {
        std::cout << "qbx-data " QBX_VERSION "\n";
        return 0;
    }
    if (command != "dump" && command != "check")
        return usage();
    const auto dir = qbxdata::folderOf(argc == 3 ? argv[2] : "");
    std::string why;
    if (!qbxdata::folderReadable(dir, why)) {
        std::cerr << "qbx-data: cannot read folder " << dir.string() << ": " << why << "\n";
        return 2;
    }
    const qbxdata::Folder folder = qbxdata::readFolder(dir);
    if (command == "dump") {
        qbxdata::dump(folder, std::cout);
        return 0;
    }
    const auto problems = qbxdata::check(folder);
    for (const auto& p : problems)
        std::cout << p << "\n";
    return problems.empty() ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "qbx-data: " << e.what() << "\n";
        return 2;
    }
}
