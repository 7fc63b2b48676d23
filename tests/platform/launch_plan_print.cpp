// Prints how the program would start each desktop entry given on the command line, one JSON
// object a line: {"refused": bool, "argv": [...], "dir": "...", "url": "..."}.

#include "platform/linux/LaunchPlan.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    for (const QString& path : QCoreApplication::arguments().mid(1)) {
        const qbx::LaunchPlan plan = qbx::planLaunch(path);
        const QJsonObject o{{"refused", !plan.refusal.isEmpty()},
                            {"argv", QJsonArray::fromStringList(plan.argv)},
                            {"dir", plan.workingDir},
                            {"url", plan.url}};
        std::printf("%s\n", QJsonDocument(o).toJson(QJsonDocument::Compact).constData());
    }
    return 0;
}
