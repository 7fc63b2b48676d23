#include "TrayIcon.h"

#include "generated/Version.h"
#include "platform/Desktop.h"

#include <utility>

namespace qbx {

TrayIcon::TrayIcon(Desktop& desktop, QObject* parent) : QObject(parent), desktop_(desktop)
{
    tip_ = QStringLiteral("My Tool Tip");
}

void TrayIcon::put(const QIcon& picture)
{
    if (std::exchange(put_, true) || !desktop_.trayAvailable())
        return;
    icon_ = std::make_unique<QSystemTrayIcon>(picture);
    icon_->setToolTip(tip_);
    connect(icon_.get(), &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    icon_->show();
    tip_ = QStringLiteral("QuillboxV%1.%2").arg(QBX_VERSION_MAJOR).arg(QBX_VERSION_MINOR);
    icon_->setToolTip(tip_);
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::isShown() const
{
    return icon_ && icon_->isVisible();
}

bool TrayIcon::showMessage(const QString& text)
{
    if (!isShown())
        return false;
    icon_->showMessage(QStringLiteral("Quillbox"), text, QSystemTrayIcon::Warning, 4000);
    return true;
}

QString TrayIcon::toolTip() const
{
    return icon_ ? icon_->toolTip() : QString();
}

void TrayIcon::remove()
{
    put_ = true; // removed for good: a late put() does not bring it back
    if (icon_)
        icon_->hide();
    icon_.reset();
}

} // namespace qbx
