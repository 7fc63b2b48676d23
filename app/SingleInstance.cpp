#include "SingleInstance.h"

#include "platform/Logging.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <climits>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace qbx {
namespace {

constexpr char kShow[] = "show\n";
constexpr char kFind[] = "find\n";
constexpr char kShown[] = "ok\n";

} // namespace

SingleInstance::SingleInstance(std::filesystem::path dataDir, QObject* parent)
    : QObject(parent), dataDir_(std::move(dataDir))
{}

SingleInstance::~SingleInstance()
{
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        ::unlink(socketFile_.constData());
    }
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

namespace {

// The socket's address; false when the path does not fit one.
bool socketAddress(const QString& path, sockaddr_un& addr)
{
    const QByteArray name = QFile::encodeName(path);
    addr = {};
    addr.sun_family = AF_UNIX;
    if (name.size() >= qsizetype(sizeof addr.sun_path))
        return false;
    std::memcpy(addr.sun_path, name.constData(), size_t(name.size()));
    return true;
}

} // namespace

bool SingleInstance::listen()
{
    const QString path = socketPath();
    sockaddr_un addr;
    if (!socketAddress(path, addr)) {
        qCWarning(lcStart) << "the socket path is too long:" << path;
        return false;
    }
    listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) {
        qCWarning(lcStart) << "cannot make a socket:" << strerror(errno);
        return false;
    }
    // Holding the lock means any socket file left is from a process that is gone.
    ::unlink(addr.sun_path);
    if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
        ::chmod(addr.sun_path, S_IRUSR | S_IWUSR | S_IXUSR) != 0 || ::listen(listenFd_, 8) != 0) {
        qCWarning(lcStart) << "cannot listen on" << path << strerror(errno);
        ::close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    socketFile_ = QByteArray(addr.sun_path);
    auto* incoming = new QSocketNotifier(listenFd_, QSocketNotifier::Read, this);
    connect(incoming, &QSocketNotifier::activated, this, [this] {
        int peer;
        while ((peer = ::accept4(listenFd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC)) >= 0)
            answer(peer);
    });
    return true;
}

void SingleInstance::answer(int peer)
{
    // The request is one short line; it is read as it arrives, and the peer is let go after it.
    auto* readable = new QSocketNotifier(peer, QSocketNotifier::Read, this);
    auto line = std::make_shared<QByteArray>();
    connect(readable, &QSocketNotifier::activated, this, [this, readable, peer, line] {
        char buf[64];
        const ssize_t n = ::read(peer, buf, sizeof buf);
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        if (n > 0)
            line->append(buf, n);
        if (n > 0 && !line->contains('\n') && line->size() < 64)
            return;
        if (*line == kShow || *line == kFind) {
            if (*line == kShow)
                emit showRequested();
            else
                emit findRequested();
            // A full pipe or a peer gone changes nothing here: the window is shown either way.
            if (::send(peer, kShown, sizeof kShown - 1, MSG_NOSIGNAL | MSG_DONTWAIT) < 0)
                qCInfo(lcStart) << "the second start did not get its answer:" << strerror(errno);
        }
        readable->setEnabled(false);
        readable->deleteLater();
        ::close(peer);
    });
}

bool SingleInstance::askHolder(Request request, int waitMs) const
{
    sockaddr_un addr;
    if (!socketAddress(socketPath(), addr))
        return false;
    QDeadlineTimer deadline(waitMs);
    do {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return false;
        if (::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) {
            const bool shown = askOnce(fd, request == Find ? kFind : kShow, deadline);
            ::close(fd);
            return shown;
        }
        ::close(fd);
        // The holder may still be starting up: it listens once it has the lock.
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return false;
}

bool SingleInstance::askOnce(int fd, const char* line, const QDeadlineTimer& deadline)
{
    const auto length = std::strlen(line);
    if (::send(fd, line, length, MSG_NOSIGNAL) != ssize_t(length))
        return false;
    // The answer is awaited until the deadline, and at least half a second.
    QDeadlineTimer answerBy(qMax<qint64>(deadline.remainingTime(), 500));
    QByteArray reply;
    while (!reply.contains('\n')) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, int(qMin<qint64>(answerBy.remainingTime(), INT_MAX)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return false;
        char buf[16];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            return false;
        reply.append(buf, n);
    }
    return reply == kShown;
}

SingleInstance::Outcome SingleInstance::claim(Request request, int waitMs)
{
    if (lock()) {
        listen();
        return First;
    }
    return askHolder(request, waitMs) ? HandedOver : Failed;
}

} // namespace qbx
