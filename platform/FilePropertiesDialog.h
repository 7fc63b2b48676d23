#pragma once
// A small dialog of our own with a file's path, size, modification time and permissions, shown
// when the desktop offers no file-manager properties window.

#include <QDialog>
#include <QString>

namespace qbx {

class FilePropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // `extraRows` follow the file's own rows (what the backend knows about the file's kind).
    FilePropertiesDialog(QWidget* parent, const QString& path,
                         const QList<QPair<QString, QString>>& extraRows = {});

    // The rows shown, as (caption, value); for tests.
    static QList<QPair<QString, QString>> rowsFor(const QString& path);
};

} // namespace qbx
