#include "QtTranslations.h"

#include "platform/Logging.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qbx {

bool loadQtChineseTranslations(QCoreApplication& app)
{
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    // "qt_zh_CN" gathers qtbase and the other modules; "qtbase_zh_CN" alone will do.
    for (const char* file : {"qt_zh_CN", "qtbase_zh_CN"}) {
        if (translator->load(QLatin1String(file), dir)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    qCWarning(lcWindows) << "Qt's Chinese translations are not installed in" << dir;
    return false;
}

} // namespace qbx
