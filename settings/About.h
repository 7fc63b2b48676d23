#pragma once
// The about box: the program's icon, name, version and description, closed with "确定".
// Modeless; whoever opens it passes what it shows.

#include <QDialog>
#include <QVersionNumber>

#include <filesystem>

class QFrame;
class QLabel;
class QPushButton;

namespace qbx {

class PictureBox;

class about : public QDialog {
    Q_OBJECT
public:
    // The icon is `appDir`/exe13.ico (none when it cannot be read); the caption is "关于 " + title;
    // the version line shows the first three numbers of `version`.
    about(const std::filesystem::path& appDir, const QString& title, const QVersionNumber& version,
          QWidget* parent = nullptr);

    static const QString kDescription;

    PictureBox* picIcon = nullptr;
    QLabel* Label3 = nullptr;     // "Quillbox"
    QLabel* lblVersion = nullptr; // "版本 0.8.0"
    QLabel* lblDescription = nullptr;
    QFrame* Line1[2]{};
    QPushButton* cmdOK = nullptr; // "确定"
};

} // namespace qbx
