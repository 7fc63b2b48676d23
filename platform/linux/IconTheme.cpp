#include "IconTheme.h"

#include "platform/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>
#include <QTimer>

namespace qbx {
namespace {

QString configHome()
{
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    return home.isEmpty() || !QDir::isAbsolutePath(home) ? QDir::homePath() + QStringLiteral("/.config")
                                                         : home;
}

bool desktopIs(const QStringList& names)
{
    const QStringList current = qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts);
    for (const QString& c : current)
        for (const QString& n : names)
            if (c.compare(n, Qt::CaseInsensitive) == 0)
                return true;
    return false;
}

QString fromKde()
{
    return iniFileValue(configHome() + QStringLiteral("/kdeglobals"), QStringLiteral("Icons"),
                        QStringLiteral("Theme"));
}

QString fromGtkSettings()
{
    for (const char* version : {"gtk-4.0", "gtk-3.0"}) {
        const QString file = configHome() + u'/' + QLatin1String(version) + QStringLiteral("/settings.ini");
        const QString v =
            iniFileValue(file, QStringLiteral("Settings"), QStringLiteral("gtk-icon-theme-name"));
        if (!v.isEmpty())
            return v;
    }
    return {};
}

bool desktopIsGnomeLike()
{
    return desktopIs({QStringLiteral("GNOME"), QStringLiteral("Unity"), QStringLiteral("X-Cinnamon"),
                      QStringLiteral("Budgie"), QStringLiteral("MATE"), QStringLiteral("Pantheon")});
}

// gsettings prints a string value quoted: 'Adwaita'.
QString unquoted(QString v)
{
    v = v.trimmed();
    if (v.size() >= 2 && v.front() == u'\'' && v.back() == u'\'')
        v = v.mid(1, v.size() - 2);
    return v;
}

constexpr int kGsettingsWaitMs = 1500;

} // namespace

QString iniFileValue(const QString& file, const QString& group, const QString& key)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&f);
    bool inGroup = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == u'[' + group + u']';
            continue;
        }
        if (!inGroup || line.startsWith(u'#') || line.startsWith(u';'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && line.left(eq).trimmed() == key) {
            QString v = line.mid(eq + 1).trimmed();
            if (v.size() >= 2 && v.front() == u'"' && v.back() == u'"')
                v = v.mid(1, v.size() - 2);
            return v;
        }
    }
    return {};
}

QString chosenIconTheme()
{
    const QString first = desktopIs({QStringLiteral("KDE")}) ? fromKde() : fromGtkSettings();
    return first.isEmpty() ? (desktopIs({QStringLiteral("KDE")}) ? fromGtkSettings() : fromKde()) : first;
}

bool themeInGsettings()
{
    return desktopIsGnomeLike();
}

QString pickIconTheme(const QString& chosen, const std::function<bool(const QString&)>& installed)
{
    if (!chosen.isEmpty() && !chosen.contains(u'/') && installed(chosen))
        return chosen;
    for (const char* usual : {"Adwaita", "breeze", "Papirus"})
        if (installed(QLatin1String(usual)))
            return QLatin1String(usual);
    return QStringLiteral("hicolor");
}

bool iconThemeInstalled(const QString& name)
{
    if (name.isEmpty() || name.contains(u'/'))
        return false;
    for (const QString& root : QIcon::themeSearchPaths())
        if (QFileInfo(root + u'/' + name + QStringLiteral("/index.theme")).isFile())
            return true;
    return false;
}

void followDesktopIconTheme()
{
    const QString chosen = chosenIconTheme();
    const QString theme = pickIconTheme(chosen, iconThemeInstalled);
    if (!chosen.isEmpty() && theme != chosen)
        qCInfo(lcIcons) << "icon theme" << chosen << "is not installed; using" << theme;
    QIcon::setThemeName(theme);
    QIcon::setFallbackThemeName(iconThemeInstalled(QStringLiteral("Adwaita")) ? QStringLiteral("Adwaita")
                                                                              : QStringLiteral("hicolor"));
}

void askDesktopIconTheme(QObject* context, std::function<void()> changed)
{
    if (!themeInGsettings())
        return;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (tool.isEmpty())
        return;
    auto* p = new QProcess(context);
    QObject::connect(p, &QProcess::finished, context,
                     [p, changed = std::move(changed)](int code, QProcess::ExitStatus status) {
                         p->deleteLater();
                         const QString v = unquoted(QString::fromUtf8(p->readAllStandardOutput()));
                         if (status != QProcess::NormalExit || code != 0 || v.isEmpty()) {
                             qCInfo(lcIcons) << "gsettings gave no icon theme";
                             return;
                         }
                         if (v == QIcon::themeName() || !iconThemeInstalled(v)) {
                             if (v != QIcon::themeName())
                                 qCInfo(lcIcons) << "icon theme" << v << "is not installed";
                             return;
                         }
                         QIcon::setThemeName(v);
                         if (changed)
                             changed();
                     });
    QObject::connect(p, &QProcess::errorOccurred, p, [p](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            qCInfo(lcIcons) << "gsettings did not start";
            p->deleteLater();
        }
    });
    QTimer::singleShot(kGsettingsWaitMs, p, [p] { p->kill(); });
    p->start(tool, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                    QStringLiteral("icon-theme")});
}

} // namespace qbx
