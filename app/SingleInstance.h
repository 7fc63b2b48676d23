#pragma once
// One running Quillbox per data folder. The first start takes an advisory lock on the data
// folder and listens on a local socket named after it; a later start finds the lock taken, asks
// the running one through the socket to show itself (or to open its find box) and ends. The lock goes with
// the process, so a crash leaves nothing that stops the next start (a stale socket file is replaced).
//
//   qbx::SingleInstance one(dataDir);
//   if (one.claim() == qbx::SingleInstance::HandedOver) return 0;
//   QObject::connect(&one, &qbx::SingleInstance::showRequested, ...);

#include <QByteArray>
#include <QDeadlineTimer>
#include <QObject>
#include <QString>

#include <filesystem>

namespace qbx {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum Outcome {
        First,      // this process holds the folder and listens
        HandedOver, // another process holds it and was asked to show itself
        Failed      // another process holds it but did not answer
    };

    explicit SingleInstance(std::filesystem::path dataDir, QObject* parent = nullptr);
    ~SingleInstance() override;

    // What a later start asks of the running one.
    enum Request { Show, Find };

    // Takes the folder or hands `request` over to its holder; waits up to `waitMs` for a holder
    // that is still starting to listen.
    Outcome claim(Request request = Show, int waitMs = 10000);

    // The socket's full path: in $XDG_RUNTIME_DIR (else the temporary folder), named after the
    // data folder.
    QString socketPath() const;

signals:
    // Another start asked this one to show its window.
    void showRequested();
    // Another start (qbx --find) asked this one to show its window and open the find box.
    void findRequested();

private:
    bool lock();
    bool listen();
    void answer(int peer);
    bool askHolder(Request request, int waitMs) const;
    static bool askOnce(int fd, const char* line, const QDeadlineTimer& deadline);

    std::filesystem::path dataDir_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    QByteArray socketFile_;
};

} // namespace qbx
