#include "LinuxDesktop.h"

#include "Autostart.h"
#include "DesktopEntry.h"
#include "EdgeStrut.h"
#include "LaunchPlan.h"
#include "StartupNotify.h"
#include "XdgIconIndex.h"
#include "platform/FilePropertiesDialog.h"
#include "platform/InstalledApplications.h"
#include "platform/Logging.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QUrl>

#include <algorithm>

#ifdef QBX_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#endif

namespace qbx {
namespace {

QString boxTitle()
{
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("Quillbox") : name;
}

#ifdef QBX_HAVE_DBUS
// Asks the file manager to show `file` (ShowItems: its folder with the file selected;
// ShowItemProperties: its property sheet); false when none answers.
bool askFileManager(const QString& method, const QString& file)
{
    const QString service = QStringLiteral("org.freedesktop.FileManager1");
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface())
        return false;
    const bool running = bus.interface()->isServiceRegistered(service).value();
    const bool activatable = bus.interface()->activatableServiceNames().value().contains(service);
    if (!running && !activatable)
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/FileManager1"), service, method);
    call << QStringList{QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString()} << QString();
    const QDBusMessage reply = bus.call(call, QDBus::Block, 3000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        qCInfo(lcStart, "the file manager did not answer %s: %s", qPrintable(method),
               qPrintable(reply.errorMessage()));
    return reply.type() == QDBusMessage::ReplyMessage;
}
#endif

// Makes `box` at least as wide as its caption, with room for the title bar's buttons: a box
// with a short text would otherwise cut its own title ("Qu...ox").
void fitCaption(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    QFont bold = box.font();
    bold.setBold(true);
    const int bar = box.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &box);
    const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + 6 * std::max(bar, 20);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0,
                  1, grid->columnCount());
}

} // namespace

std::optional<QPoint> LinuxDesktop::cursorPos() const
{
    if (!QGuiApplication::instance() || !QGuiApplication::primaryScreen())
        return std::nullopt;
    return QCursor::pos();
}

QRect LinuxDesktop::screenGeometry() const
{
    const QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
    // Without a screen (should not happen with a running display) a common size stands in.
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

QList<QRect> LinuxDesktop::screens() const
{
    QList<QRect> all{screenGeometry()};
    if (QGuiApplication::instance()) {
        for (const QScreen* s : QGuiApplication::screens()) {
            if (s != QGuiApplication::primaryScreen())
                all << s->geometry();
        }
    }
    return all;
}

void LinuxDesktop::message(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, boxTitle(), text, QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    fitCaption(box);
    box.exec();
}

bool LinuxDesktop::confirm(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, boxTitle(), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Cancel);
    fitCaption(box);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> LinuxDesktop::openFileName(QWidget* parent, const QString& title,
                                                  const QStringList& filters, const QString& startDir)
{
    // Without a folder of its own the dialog opens where the user last chose a file, else at home.
    QString dir = startDir;
    if (dir.isEmpty())
        dir = lastOpenDir_.isEmpty() || !QFileInfo(lastOpenDir_).isDir() ? QDir::homePath() : lastOpenDir_;
    QFileDialog dlg(parent, title, dir);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    // The side bar: home and the folders applications are installed in.
    QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath())};
    for (const QString& apps : XdgIconIndex::applicationDirs())
        if (QFileInfo(apps).isDir())
            places << QUrl::fromLocalFile(apps);
    for (const char* bin : {"/usr/bin", "/opt"})
        if (QFileInfo(QLatin1String(bin)).isDir())
            places << QUrl::fromLocalFile(QLatin1String(bin));
    dlg.setSidebarUrls(places);
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    if (!filters.isEmpty())
        dlg.setNameFilters(filters);
    dlg.setLabelText(QFileDialog::LookIn, QStringLiteral("查找范围："));
    dlg.setLabelText(QFileDialog::FileName, QStringLiteral("文件名："));
    dlg.setLabelText(QFileDialog::FileType, QStringLiteral("文件类型："));
    dlg.setLabelText(QFileDialog::Accept, QStringLiteral("打开"));
    dlg.setLabelText(QFileDialog::Reject, QStringLiteral("取消"));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dlg.selectedFiles().front();
    if (chosen.isEmpty())
        return std::nullopt;
    lastOpenDir_ = QFileInfo(chosen).absolutePath();
    return chosen;
}

QList<InstalledApplication> LinuxDesktop::installedApplications()
{
    return pictures_.applications()->installed();
}

QStringList LinuxDesktop::commandFor(const QString& storedPath)
{
    return planLaunch(storedPath).argv;
}

bool LinuxDesktop::startProgram(const QString& storedPath)
{
    const LaunchPlan plan = planLaunch(storedPath);
    if (!plan.refusal.isEmpty()) {
        qCInfo(lcStart) << "not starting" << storedPath << ":" << plan.refusal;
        return false;
    }
    if (!plan.url.isEmpty())
        return QDesktopServices::openUrl(QUrl::fromUserInput(plan.url));
    // Detached, in its own working folder, reading nothing and writing nothing into our output.
    const QString launch = startups_.begin(plan);
    QString why;
    if (!spawnDetached(plan.argv, plan.workingDir, children_, why, launch)) {
        startups_.end(launch);
        qCInfo(lcStart) << "could not start" << plan.argv.front() << ":" << why;
        return false;
    }
    if (!plan.endsOwnStartup)
        startups_.endLater(launch);
    return true;
}

QString LinuxDesktop::programFile(const QString& storedPath)
{
    if (!isDesktopEntryPath(storedPath) || !QFileInfo(storedPath).isFile())
        return storedPath;
    const auto e = readDesktopEntry(storedPath);
    const QStringList cmd = e ? execArguments(e->exec) : QStringList();
    if (cmd.isEmpty() || cmd.front().isEmpty())
        return {};
    // A bare program name is looked up on PATH as the start would.
    return cmd.front().contains(QLatin1Char('/')) ? cmd.front() : QStandardPaths::findExecutable(cmd.front());
}

bool LinuxDesktop::showProgramFolder(const QString& storedPath)
{
    const QString file = programFile(storedPath);
    if (!file.contains(QLatin1Char('/'))) {
        qCInfo(lcStart, "no folder to show for %s", qPrintable(storedPath));
        return false;
    }
#ifdef QBX_HAVE_DBUS
    if (askFileManager(QStringLiteral("ShowItems"), file))
        return true;
#endif
    const QString folder = QFileInfo(file).absolutePath();
    if (openWithDefaultApp(folder))
        return true;
    qCWarning(lcStart, "could not open the folder %s", qPrintable(folder));
    return false;
}

QList<QPair<QString, QString>> LinuxDesktop::desktopEntryRows(const QString& path)
{
    if (!isDesktopEntryPath(path))
        return {};
    const auto e = readDesktopEntry(path);
    if (!e)
        return {};
    return {{QStringLiteral("名称："), e->name},
            {QStringLiteral("命令："), e->exec},
            {QStringLiteral("图标："), e->icon}};
}

bool LinuxDesktop::openWithDefaultApp(const QString& path, QObject* context, std::function<void()> failed)
{
    const QFileInfo fi(path);
    if (path.isEmpty() || !fi.exists())
        return false;
    const QString file = fi.absoluteFilePath();
    // xdg-open finds the application only once it runs; its exit status tells whether it did.
    const auto ended = [file, failed = std::move(failed), guard = QPointer<QObject>(context),
                        withContext = context != nullptr](int exitStatus) {
        if (exitStatus == 0)
            return;
        qCWarning(lcStart, "xdg-open found no application for %s (exit status %d)", qPrintable(file),
                  exitStatus);
        if (failed && (guard || !withContext))
            failed();
    };
    QString why;
    if (spawnDetached({QStringLiteral("xdg-open"), file}, QDir::homePath(), children_, why, {}, ended))
        return true;
    qCWarning(lcStart, "could not start xdg-open for %s: %s", qPrintable(file), qPrintable(why));
    return false;
}

void LinuxDesktop::showFileProperties(QWidget* parent, const QString& path)
{
#ifdef QBX_HAVE_DBUS
    if (QFileInfo::exists(path) && askFileManager(QStringLiteral("ShowItemProperties"), path))
        return;
#endif
    auto* dlg = new FilePropertiesDialog(parent, path, desktopEntryRows(path));
    dlg->show();
}

namespace {

IconThemeChoice themeInUse()
{
    return {QIcon::themeName(), QIcon::fallbackThemeName(), QIcon::themeSearchPaths()};
}

} // namespace

LinuxDesktop::LinuxDesktop() : pictures_(ProgramIconCache::defaultFolder(), themeInUse())
{
    icons_.xdgIndex().setSource([this] { return pictures_.applications(); });
}

LinuxDesktop::~LinuxDesktop() = default;

QIcon LinuxDesktop::programIcon(const QString& exePath)
{
    return icons_.icon(exePath);
}

void LinuxDesktop::prepareProgramIcons(const QStringList& paths, int devicePixels)
{
    pictures_.prepare(paths, devicePixels);
}

std::optional<QImage> LinuxDesktop::programPicture(const QString& path, int devicePixels)
{
    return pictures_.picture(path, devicePixels);
}

void LinuxDesktop::refreshProgramIcons(const QStringList& paths, int devicePixels, QObject* context,
                                       std::function<void(const QStringList&)> changed)
{
    // The theme may have changed since the last look (the desktop's setting is read late).
    pictures_.setTheme(themeInUse());
    if (refreshing_.joinable()) {
        refreshing_.request_stop();
        refreshing_.join();
    }
    refreshing_ = std::jthread([this, paths, devicePixels, context = QPointer<QObject>(context),
                                changed = std::move(changed)](std::stop_token stop) {
        QStringList differ;
        guarded(lcIcons, "checking the program icons",
                [&] { differ = pictures_.refresh(paths, devicePixels, stop); });
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            &relay_,
            [context, changed, differ] {
                if (context && changed)
                    changed(differ);
            },
            Qt::QueuedConnection);
    });
}

bool LinuxDesktop::trayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void LinuxDesktop::reserveEdge(QWidget* window, const EdgeReservation& reservation)
{
    setEdgeStrut(window, reservation);
}

StartAtLoginResult LinuxDesktop::setStartAtLogin(const QString& program, const QString& icon, bool enabled)
{
    return autostart::write(program, icon, enabled);
}

} // namespace qbx
