#include "FakeDesktop.h"

namespace qbx {

void FakeDesktop::message(QWidget*, const QString& text)
{
    messages << text;
}

bool FakeDesktop::confirm(QWidget*, const QString& text)
{
    confirms << text;
    if (answers_.empty())
        return defaultAnswer;
    const bool a = answers_.front();
    answers_.pop_front();
    return a;
}

std::optional<QString> FakeDesktop::openFileName(QWidget*, const QString& title, const QStringList& filters,
                                                 const QString& startDir)
{
    fileDialogs.append({title, filters, startDir});
    if (fileNames_.empty())
        return std::nullopt;
    const FileAnswer a = fileNames_.front();
    fileNames_.pop_front();
    if (a.cancel)
        return std::nullopt;
    return a.name;
}

bool FakeDesktop::startProgram(const QString& storedPath)
{
    started << storedPath;
    return startResultFor_.value(storedPath, startResult_);
}

bool FakeDesktop::openWithDefaultApp(const QString& path, QObject*, std::function<void()> failed)
{
    opened << path;
    if (openResult_ && openFailsLater_ && failed)
        failed();
    return openResult_;
}

void FakeDesktop::showFileProperties(QWidget*, const QString& path)
{
    properties << path;
}

QIcon FakeDesktop::programIcon(const QString& exePath)
{
    iconRequests << exePath;
    const auto it = icons_.constFind(exePath);
    if (it != icons_.constEnd())
        return it.value();
    return realIcons_ ? realReader_.icon(exePath) : QIcon();
}

StartAtLoginResult FakeDesktop::setStartAtLogin(const QString& program, const QString& icon, bool enabled)
{
    loginEntries.append({program, icon, enabled});
    if (loginResult_)
        return {true, QStringLiteral("fake-autostart"), {}};
    return {false, QStringLiteral("fake-autostart"), QStringLiteral("refused by the test")};
}

} // namespace qbx
