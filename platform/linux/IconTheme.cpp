#include "IconTheme.h"

#include "Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

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

QString fromGsettings()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                   QStringLiteral("icon-theme")});
    if (!p.waitForFinished(1500) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        p.kill();
        p.waitForFinished(500);
        qCInfo(lcIcons) << "gsettings gave no icon theme";
        return {};
    }
    QString v = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    if (v.size() >= 2 && v.front() == u'\'' && v.back() == u'\'')
        v = v.mid(1, v.size() - 2);
    return v;
}

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
    QList<std::function<QString()>> order;
    if (desktopIs({QStringLiteral("KDE")}))
        order = {fromKde, fromGtkSettings};
    else if (desktopIs({QStringLiteral("GNOME"), QStringLiteral("Unity"), QStringLiteral("X-Cinnamon"),
                        QStringLiteral("Budgie"), QStringLiteral("MATE"), QStringLiteral("Pantheon")}))
        order = {fromGsettings, fromGtkSettings, fromKde};
    else
        order = {fromGtkSettings, fromKde};
    for (const auto& source : order) {
        const QString v = source();
        if (!v.isEmpty())
            return v;
    }
    return {};
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

} // namespace qbx
