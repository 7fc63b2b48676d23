#pragma once
// The notification-area icon. Added with the tip "My Tool Tip", which then becomes
// "QuillboxV0.8". Without a tray host the program goes on without the icon.

#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

class QIcon;

namespace qbx {

class Desktop;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    TrayIcon(Desktop& desktop, const QIcon& icon, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Whether the icon stands in the tray.
    bool isShown() const;
    QString toolTip() const;
    // A short message at the icon that goes away by itself; false without the icon.
    bool showMessage(const QString& text);
    // Deletes the icon from the tray (closing and "退出").
    void remove();

signals:
    // Clicks on the icon (double click, right click ...).
    void activated(QSystemTrayIcon::ActivationReason reason);

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    QString tip_;
};

} // namespace qbx
