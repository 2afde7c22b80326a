#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// One diary per user: a diary started for a reminder's action hands the
// request to the one already running, through a local socket in the
// session's runtime folder. A socket rather than a D-Bus name: the normal
// start only listens on it, without a round trip to the bus, and it works
// where no session bus runs. Plain POSIX sockets under QSocketNotifier, so
// that the diary does not load Qt's network library at its start.
namespace DiaryInstance {

// $XDG_RUNTIME_DIR/vantoria-tagebuch (else in the temporary folder).
QString socketPath();

// Hands one request line ("schnelleingabe Morgens", "arztbericht") to the
// running diary; true when it took it.
bool forward(const QString &socketPath, const QByteArray &request);

} // namespace DiaryInstance

// The running diary's end of the socket.
class DiaryListener : public QObject
{
    Q_OBJECT

public:
    explicit DiaryListener(QObject *parent = nullptr);
    ~DiaryListener() override;

    // Listens on the path; a socket left by a diary that ended is replaced,
    // one that answers is left to it. False when it could not listen.
    bool listen(const QString &socketPath);

signals:
    void requested(const QByteArray &request);

private:
    void takeConnection();

    int m_socket = -1;
    QString m_path;
    QSocketNotifier *m_notifier = nullptr;
};
