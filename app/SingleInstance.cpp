#include "SingleInstance.h"

#include "Logging.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qbx {
namespace {

constexpr char kShow[] = "show\n";
constexpr char kShown[] = "ok\n";

} // namespace

SingleInstance::SingleInstance(std::filesystem::path dataDir, QObject* parent)
    : QObject(parent), dataDir_(std::move(dataDir))
{}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close();
    if (lockFd_ >= 0)
        ::close(lockFd_);
}

QString SingleInstance::socketPath() const
{
    std::error_code ec;
    // One folder, however it is spelt: the canonical path without a trailing separator.
    std::filesystem::path folder = std::filesystem::weakly_canonical(dataDir_, ec);
    if (ec)
        folder = dataDir_.lexically_normal();
    if (folder.filename().empty())
        folder = folder.parent_path();
    const std::string key = folder.string();
    const QByteArray hash =
        QCryptographicHash::hash(QByteArray::fromStdString(key), QCryptographicHash::Sha256).toHex().left(16);
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath();
    return dir + QStringLiteral("/quillbox-") + QString::fromLatin1(hash) + QStringLiteral(".sock");
}

bool SingleInstance::lock()
{
    // A lock on the folder itself: no extra file among the data files.
    lockFd_ = ::open(dataDir_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (lockFd_ < 0) {
        qCWarning(lcStart) << "cannot open the data folder to lock it:" << dataDir_.c_str()
                           << strerror(errno);
        return true; // without a lock the program still runs, as it did before
    }
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0)
        return true;
    ::close(lockFd_);
    lockFd_ = -1;
    return false;
}

bool SingleInstance::listen()
{
    const QString path = socketPath();
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // Holding the lock means any socket file left is from a process that is gone.
    QLocalServer::removeServer(path);
    if (!server_->listen(path)) {
        qCWarning(lcStart) << "cannot listen on" << path << server_->errorString();
        return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* peer = server_->nextPendingConnection()) {
            connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
                if (!peer->canReadLine())
                    return;
                const QByteArray line = peer->readLine(64);
                if (line == kShow) {
                    emit showRequested();
                    peer->write(kShown);
                    peer->flush();
                }
                peer->disconnectFromServer();
            });
        }
    });
    return true;
}

bool SingleInstance::askHolderToShow(int waitMs) const
{
    const QString path = socketPath();
    QDeadlineTimer deadline(waitMs);
    do {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(500)) {
            socket.write(kShow);
            socket.waitForBytesWritten(1000);
            while (!socket.canReadLine() &&
                   socket.waitForReadyRead(qMax<qint64>(deadline.remainingTime(), 500)))
                ;
            return socket.readLine(64) == kShown;
        }
        // The holder may still be starting up: it listens once it has the lock.
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return false;
}

SingleInstance::Outcome SingleInstance::claim(int waitMs)
{
    if (lock()) {
        listen();
        return First;
    }
    return askHolderToShow(waitMs) ? HandedOver : Failed;
}

} // namespace qbx
