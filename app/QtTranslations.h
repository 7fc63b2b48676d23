#pragma once
// Qt's own texts (file dialog, standard buttons, context menus) in Simplified Chinese, whatever
// the system language: the program speaks Chinese throughout.

class QCoreApplication;

namespace qbx {

// Installs Qt's zh_CN translations when they are installed (qt6-translations-l10n); false and a
// log line when they are not, and Qt's texts stay English.
bool loadQtChineseTranslations(QCoreApplication& app);

} // namespace qbx
