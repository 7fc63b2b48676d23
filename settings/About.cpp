#include "About.h"

#include "ui/PictureBox.h"
#include "ui/Skin.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qbx {

const QString about::kDescription =
    QStringLiteral("这是我所见到的软件中分类管理最好，启动软件最快的系统增强软件之一了！分好类的软件可以根据"
                   "使用的次数自动排列次序方便选择，"
                   "还可以一次启动五个软件。如果你对该软件有建议就赶快提出来吧！");

about::about(const std::filesystem::path& appDir, const QString& title, const QVersionNumber& version,
             QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("about"));
    setWindowTitle(QStringLiteral("关于 ") + title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setAttribute(Qt::WA_DeleteOnClose);

    picIcon = new PictureBox(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setAccessibleName(title); // the program's own icon
    picIcon->setFixedSize(32, 32);
    showFile(*picIcon, appDir, QStringLiteral("exe13.ico"));

    Label3 = new QLabel(QStringLiteral("Quillbox"), this);
    QFont big = Label3->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    Label3->setFont(big);
    lblVersion = new QLabel(QStringLiteral("版本 %1.%2.%3")
                                .arg(version.majorVersion())
                                .arg(version.minorVersion())
                                .arg(version.microVersion()),
                            this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(kDescription, this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblDescription->setFixedWidth(320);
    for (QFrame*& line : Line1) {
        line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
    }
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);

    auto* head = new QHBoxLayout;
    head->addWidget(picIcon, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    names->addWidget(Label3);
    names->addWidget(lblVersion);
    head->addLayout(names, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addWidget(Line1[0]);
    layout->addWidget(lblDescription);
    layout->addWidget(Line1[1]);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace qbx
