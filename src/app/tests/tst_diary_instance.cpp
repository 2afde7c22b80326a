// The socket through which a diary started by a reminder's action hands its
// request to the diary already running.
#include "app/diary_instance.h"
#include "support/temp_home.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// forward() waits for the answer, which the listener gives from the event
// loop: the sender runs on a thread of its own.
bool forwardWhileServing(const QString &path, const QByteArray &request)
{
    auto sent = std::async(std::launch::async,
                           [path, request] { return DiaryInstance::forward(path, request); });
    while (sent.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return sent.get();
}

} // namespace

class TstDiaryInstance : public QObject
{
    Q_OBJECT

private slots:
    void requestReachesTheRunningDiary();
    void nothingListensNothingTaken();
    void aSecondDiaryLeavesTheFirstItsSocket();
    void aSocketLeftByAnEndedDiaryIsReplaced();
    void aPathTooLongForASocketIsRefused();
};

void TstDiaryInstance::requestReachesTheRunningDiary()
{
    TempHome home;
    const QString path = home.root() + QStringLiteral("/vantoria-tagebuch");
    DiaryListener listener;
    QVERIFY(listener.listen(path));
    QCOMPARE(QFileInfo(path).permissions() &
                 (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup | QFile::WriteGroup),
             QFile::Permissions());
    QSignalSpy requests(&listener, &DiaryListener::requested);
    QVERIFY(forwardWhileServing(path, "schnelleingabe Abends"));
    QVERIFY(forwardWhileServing(path, "arztbericht"));
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests.at(0).at(0).toByteArray(), QByteArray("schnelleingabe Abends"));
    QCOMPARE(requests.at(1).at(0).toByteArray(), QByteArray("arztbericht"));
}

void TstDiaryInstance::nothingListensNothingTaken()
{
    TempHome home;
    QVERIFY(
        !DiaryInstance::forward(home.root() + QStringLiteral("/vantoria-tagebuch"), "arztbericht"));
}

void TstDiaryInstance::aSecondDiaryLeavesTheFirstItsSocket()
{
    TempHome home;
    const QString path = home.root() + QStringLiteral("/vantoria-tagebuch");
    DiaryListener first;
    QVERIFY(first.listen(path));
    {
        DiaryListener second;
        QVERIFY(!second.listen(path));
    }
    // The second one's end does not take the socket away.
    QSignalSpy requests(&first, &DiaryListener::requested);
    QVERIFY(forwardWhileServing(path, "arztbericht"));
    QCOMPARE(requests.size(), 1);
}

void TstDiaryInstance::aSocketLeftByAnEndedDiaryIsReplaced()
{
    TempHome home;
    const QString path = home.root() + QStringLiteral("/vantoria-tagebuch");
    // A socket file nobody listens on, as a crashed diary leaves it.
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray name = QFile::encodeName(path);
    std::memcpy(address.sun_path, name.constData(), std::size_t(name.size()));
    const int left = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QCOMPARE(::bind(left, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    ::close(left);
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(!DiaryInstance::forward(path, "arztbericht"));

    DiaryListener listener;
    QVERIFY(listener.listen(path));
    QSignalSpy requests(&listener, &DiaryListener::requested);
    QVERIFY(forwardWhileServing(path, "schnelleingabe Morgens"));
    QCOMPARE(requests.size(), 1);
}

void TstDiaryInstance::aPathTooLongForASocketIsRefused()
{
    // sun_path holds 108 bytes with the closing zero.
    TempHome home;
    const QString folder = home.root() + QLatin1Char('/');
    QVERIFY(folder.size() < 100);
    const QString longest = folder + QString(107 - folder.size(), QLatin1Char('x'));
    QCOMPARE(QFile::encodeName(longest).size(), 107);
    DiaryListener fits;
    QVERIFY(fits.listen(longest));
    DiaryListener tooLong;
    QVERIFY(!tooLong.listen(longest + QLatin1Char('x')));
    QVERIFY(!DiaryInstance::forward(longest + QLatin1Char('x'), "arztbericht"));
}

QTEST_GUILESS_MAIN(TstDiaryInstance)

#include "tst_diary_instance.moc"
