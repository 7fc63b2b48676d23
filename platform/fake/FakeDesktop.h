#pragma once
// A scripted desktop for tests: nothing is shown and nothing is started, every call is recorded.
//
//   qbx::FakeDesktop d;
//   d.setCursorPos(QPoint(10, 20));             // or setCursorPos(std::nullopt): unreadable
//   d.setScreenGeometry(QRect(0, 0, 1280, 800));  // one screen, or several, the primary first:
//   d.setScreens({QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)});
//   d.setNextAnswer(false);                     // queue: next confirm() answers Cancel
//   d.setNextFileName("/tmp/a.exe");            // queue: next openFileName() returns this
//   d.setNextFileNameCancel();                  //        ... or is cancelled
//   d.setStartResult(false);                    // startProgram() reports failure from now on
//   d.setStartAtLoginResult(false);             // setStartAtLogin() fails from now on
//   d.setIcon("/x/a.exe", someIcon);            // icons from a map; setUseRealIcons(true) reads
//                                               // unmapped paths with the real icon reader
//   ... run the window ...
//   d.messages, d.confirms, d.fileDialogs, d.started, d.opened, d.folders, d.properties,
//   d.loginEntries, d.reservations                                            // what happened
//
// With nothing queued, confirm() answers OK (defaultAnswer) and openFileName() is cancelled.

#include "platform/Desktop.h"
#include "platform/linux/ProgramIcons.h"

#include <QHash>
#include <QList>

#include <deque>

namespace qbx {

class FakeDesktop : public Desktop {
public:
    struct FileDialogCall {
        QString title;
        QStringList filters;
        QString startDir;
    };

    // Scripting
    void setCursorPos(std::optional<QPoint> p) { cursor_ = p; }
    void setScreenGeometry(const QRect& r) { screens_ = {r}; }
    void setScreens(const QList<QRect>& screens) { screens_ = screens; }
    void setNextAnswer(bool ok) { answers_.push_back(ok); }
    void setNextFileName(const QString& path) { fileNames_.push_back({false, path}); }
    void setNextFileNameCancel() { fileNames_.push_back({true, {}}); }
    void setStartResult(bool ok) { startResult_ = ok; }
    void setStartResult(const QString& path, bool ok) { startResultFor_.insert(path, ok); }
    void setOpenResult(bool ok) { openResult_ = ok; }
    // The opener starts, then finds no application: `failed` is called before it returns.
    void setOpenFailsLater(bool on) { openFailsLater_ = on; }
    void setIcon(const QString& path, const QIcon& icon) { icons_.insert(path, icon); }
    void setUseRealIcons(bool on) { realIcons_ = on; }
    void setTrayAvailable(bool on) { tray_ = on; }
    void setStartAtLoginResult(bool ok) { loginResult_ = ok; }
    bool defaultAnswer = true;
    QList<InstalledApplication> installed; // what installedApplications() lists

    // What the program asked for, in order
    QStringList messages;
    QStringList confirms;
    QList<FileDialogCall> fileDialogs;
    QStringList started;
    QStringList opened;
    QStringList properties;
    QStringList folders; // showProgramFolder()
    QStringList iconRequests;
    struct LoginEntry {
        QString program;
        QString icon;
        bool enabled;
    };
    QList<LoginEntry> loginEntries;      // every setStartAtLogin(), written or not
    QList<EdgeReservation> reservations; // every reserveEdge()
    // Number of queued answers / file names not used yet.
    int pendingAnswers() const { return static_cast<int>(answers_.size()); }
    int pendingFileNames() const { return static_cast<int>(fileNames_.size()); }

    std::optional<QPoint> cursorPos() const override { return cursor_; }
    QRect screenGeometry() const override { return screens_.value(0); }
    QList<QRect> screens() const override { return screens_; }
    void reserveEdge(QWidget*, const EdgeReservation& reservation) override
    {
        reservations.push_back(reservation);
    }
    void message(QWidget* parent, const QString& text) override;
    bool confirm(QWidget* parent, const QString& text) override;
    std::optional<QString> openFileName(QWidget* parent, const QString& title, const QStringList& filters,
                                        const QString& startDir) override;
    bool startProgram(const QString& storedPath) override;
    bool openWithDefaultApp(const QString& path, QObject* context = nullptr,
                            std::function<void()> failed = {}) override;
    bool showProgramFolder(const QString& storedPath) override
    {
        folders << storedPath;
        return true;
    }
    void showFileProperties(QWidget* parent, const QString& path) override;
    QIcon programIcon(const QString& exePath) override;
    QList<InstalledApplication> installedApplications() override { return installed; }
    bool trayAvailable() const override { return tray_; }
    StartAtLoginResult setStartAtLogin(const QString& program, const QString& icon, bool enabled) override;

private:
    std::optional<QPoint> cursor_ = QPoint(0, 0);
    QList<QRect> screens_{QRect(0, 0, 1024, 768)};
    std::deque<bool> answers_;
    struct FileAnswer {
        bool cancel;
        QString name;
    };
    std::deque<FileAnswer> fileNames_;
    bool startResult_ = true;
    QHash<QString, bool> startResultFor_;
    bool openResult_ = true;
    bool openFailsLater_ = false;
    QHash<QString, QIcon> icons_;
    bool realIcons_ = false;
    bool tray_ = false;
    bool loginResult_ = true;
    ProgramIcons realReader_;
};

} // namespace qbx
