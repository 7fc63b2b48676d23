#include "Autostart.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace qbx::autostart {

QString entryFile()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    // Only an absolute path counts; anything else falls back to the default.
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart/quillbox.desktop");
}

QString quoteExecArgument(const QString& argument)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        else if (c == u'%')
            out += u'%'; // a literal % is written %%
        out += c;
    }
    return out + u'"';
}

QString escapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString entryText(const QString& program, const QString& icon, bool enabled)
{
    QString text = QStringLiteral("[Desktop Entry]\n"
                                  "Type=Application\n"
                                  "Name=Quillbox\n"
                                  "Comment=分类管理并快速启动常用程序\n");
    text += QStringLiteral("Icon=") + escapeValue(icon) + u'\n';
    text += QStringLiteral("Exec=") + escapeValue(quoteExecArgument(program)) + u'\n';
    text += QStringLiteral("Terminal=false\n");
    if (!enabled)
        text += QStringLiteral("Hidden=true\n");
    return text;
}

StartAtLoginResult write(const QString& program, const QString& icon, bool enabled)
{
    StartAtLoginResult result;
    result.place = entryFile();
    const QString folder = QFileInfo(result.place).absolutePath();
    if (!QDir().mkpath(folder)) {
        result.error = QStringLiteral("cannot create the folder %1").arg(folder);
        return result;
    }
    QSaveFile file(result.place);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = file.errorString();
        return result;
    }
    const QByteArray bytes = entryText(program, icon, enabled).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        result.error = file.errorString();
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.error = file.errorString();
        return result;
    }
    result.written = true;
    return result;
}

} // namespace qbx::autostart
