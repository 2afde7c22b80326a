#include "app/diary_instance.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <memory>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kAnswerWaitMs = 2000;
constexpr qsizetype kLongestRequest = 256;
const QByteArray kTaken = "ok\n";

// The address of a socket file; false when the path is too long for one.
bool addressOf(const QString &path, sockaddr_un &address)
{
    const QByteArray bytes = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (bytes.isEmpty() || std::size_t(bytes.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, bytes.constData(), std::size_t(bytes.size()));
    return true;
}

int connectedSocket(const sockaddr_un &address)
{
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return -1;
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

bool waitReadable(int socket, int milliseconds)
{
    pollfd wanted{socket, POLLIN, 0};
    int ready = 0;
    do {
        ready = ::poll(&wanted, 1, milliseconds);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

} // namespace

namespace DiaryInstance {

QString socketPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/vantoria-tagebuch");
}

bool forward(const QString &socketPath, const QByteArray &request)
{
    sockaddr_un address{};
    if (!addressOf(socketPath, address))
        return false;
    const int socket = connectedSocket(address);
    if (socket < 0)
        return false;
    const QByteArray line = request + '\n';
    bool taken = ::send(socket, line.constData(), std::size_t(line.size()), MSG_NOSIGNAL) ==
                 ssize_t(line.size());
    QByteArray answer;
    while (taken && !answer.endsWith('\n') && answer.size() < kTaken.size() &&
           waitReadable(socket, kAnswerWaitMs)) {
        char buffer[8];
        const ssize_t got = ::read(socket, buffer, sizeof buffer);
        if (got <= 0)
            break;
        answer.append(buffer, got);
    }
    ::close(socket);
    return taken && answer == kTaken;
}

} // namespace DiaryInstance

DiaryListener::DiaryListener(QObject *parent)
    : QObject(parent)
{}

DiaryListener::~DiaryListener()
{
    if (m_socket >= 0) {
        ::close(m_socket);
        ::unlink(QFile::encodeName(m_path).constData());
    }
}

bool DiaryListener::listen(const QString &socketPath)
{
    sockaddr_un address{};
    if (m_socket >= 0 || !addressOf(socketPath, address))
        return false;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return false;
    const auto bindTo = [&] {
        return ::bind(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    };
    bool bound = bindTo();
    if (!bound && errno == EADDRINUSE) {
        // A diary that answers keeps its socket; one left by an ended diary is replaced.
        if (const int other = connectedSocket(address); other >= 0) {
            ::close(other);
            ::close(socket);
            return false;
        }
        ::unlink(address.sun_path);
        bound = bindTo();
    }
    if (!bound || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(socket, 4) != 0) {
        ::close(socket);
        return false;
    }
    m_socket = socket;
    m_path = socketPath;
    m_notifier = new QSocketNotifier(qintptr(socket), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &DiaryListener::takeConnection);
    return true;
}

void DiaryListener::takeConnection()
{
    for (;;) {
        const int client = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0)
            return;
        auto *notifier = new QSocketNotifier(qintptr(client), QSocketNotifier::Read, this);
        auto buffer = std::make_shared<QByteArray>();
        connect(notifier, &QSocketNotifier::activated, this, [this, client, notifier, buffer] {
            char bytes[64];
            const ssize_t got = ::read(client, bytes, sizeof bytes);
            if (got > 0)
                buffer->append(bytes, got);
            const bool complete = buffer->contains('\n');
            if (!complete && got != 0 && !(got < 0 && errno != EAGAIN) &&
                buffer->size() <= kLongestRequest)
                return;
            notifier->setEnabled(false);
            notifier->deleteLater();
            if (complete)
                ::send(client, kTaken.constData(), std::size_t(kTaken.size()), MSG_NOSIGNAL);
            ::close(client);
            if (complete)
                emit requested(buffer->left(buffer->indexOf('\n')).trimmed());
        });
    }
}
