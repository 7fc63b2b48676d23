#pragma once
// A small dialog of our own with a file's path, size, modification time and permissions, shown
// when the desktop offers no file-manager properties window.

#include <QDialog>
#include <QString>

namespace qbx {

class FilePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    FilePropertiesDialog(QWidget* parent, const QString& path);

    // The rows shown, as (caption, value); for tests.
    static QList<QPair<QString, QString>> rowsFor(const QString& path);
};

} // namespace qbx
