#include "app/diary_instance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

constexpr int kAnswerWaitMs = 2000;
const QByteArray kTaken = "ok\n";

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
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kAnswerWaitMs))
        return false;
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(kAnswerWaitMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kAnswerWaitMs))
            return false;
    }
    return socket.readLine() == kTaken;
}

} // namespace DiaryInstance

DiaryListener::DiaryListener(QObject *parent)
    : QObject(parent)
    , m_server(new QLocalServer(this))
{
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &DiaryListener::takeConnection);
}

bool DiaryListener::listen(const QString &socketPath)
{
    if (m_server->listen(socketPath))
        return true;
    if (m_server->serverError() != QAbstractSocket::AddressInUseError)
        return false;
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    if (probe.waitForConnected(200))
        return false; // another diary answers there
    QLocalServer::removeServer(socketPath);
    return m_server->listen(socketPath);
}

void DiaryListener::takeConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine())
                return;
            const QByteArray request = socket->readLine().trimmed();
            socket->write(kTaken);
            socket->flush();
            emit requested(request);
        });
    }
}
