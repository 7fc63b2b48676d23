#include "FilePropertiesDialog.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace qbx {
namespace {

QString permissionText(QFile::Permissions p)
{
    const struct {
        QFile::Permission bit;
        char ch;
    } bits[] = {{QFile::ReadOwner, 'r'}, {QFile::WriteOwner, 'w'}, {QFile::ExeOwner, 'x'},
                {QFile::ReadGroup, 'r'}, {QFile::WriteGroup, 'w'}, {QFile::ExeGroup, 'x'},
                {QFile::ReadOther, 'r'}, {QFile::WriteOther, 'w'}, {QFile::ExeOther, 'x'}};
    QString s;
    for (const auto& b : bits)
        s += (p & b.bit) ? QChar::fromLatin1(b.ch) : QChar(u'-');
    return s;
}

} // namespace

QList<QPair<QString, QString>> FilePropertiesDialog::rowsFor(const QString& path)
{
    const QFileInfo fi(path);
    QList<QPair<QString, QString>> rows;
    rows.append({QStringLiteral("位置："), fi.absoluteFilePath()});
    if (!fi.exists()) {
        rows.append({QStringLiteral("状态："), QStringLiteral("文件不存在")});
        return rows;
    }
    const QString kind = fi.isDir() ? QStringLiteral("文件夹") : QStringLiteral("文件");
    rows.append({QStringLiteral("类型："), kind});
    if (!fi.isDir())
        rows.append({QStringLiteral("大小："),
                     QStringLiteral("%1 字节").arg(QLocale(QLocale::Chinese).toString(fi.size()))});
    rows.append(
        {QStringLiteral("修改时间："), fi.lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))});
    rows.append({QStringLiteral("权限："), permissionText(fi.permissions())});
    return rows;
}

FilePropertiesDialog::FilePropertiesDialog(QWidget* parent, const QString& path,
                                           const QList<QPair<QString, QString>>& extraRows)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("属性"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* form = new QFormLayout;
    for (const auto& [caption, value] : rowsFor(path) + extraRows) {
        auto* v = new QLabel(value);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        v->setWordWrap(true);
        form->addRow(caption, v);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    setMinimumWidth(360);
}

} // namespace qbx
