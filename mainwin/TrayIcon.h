#pragma once
// The notification-area icon. Made with the main window, put in the tray by put() once the window
// is up (asking for the tray host takes a round trip the first window need not wait for). Added
// with the tip "My Tool Tip", which then becomes "QuillboxV0.8". Without a tray host the program
// goes on without the icon.

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

namespace qbx {

class Desktop;

class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(Desktop& desktop, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Puts the icon, showing `picture`, in the tray when there is a tray host; once.
    void put(const QIcon& picture);

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
    Desktop& desktop_;
    bool put_ = false;
    std::unique_ptr<QSystemTrayIcon> icon_;
    QString tip_;
};

} // namespace qbx
