// Two computers with one gallery, kept in step by real Syncthing: two
// instances with homes of their own on 127.0.0.1 only (no discovery, no
// relays, no NAT, no usage reports, static addresses) share the gallery
// folders of two diaries. Both change March while their link is paused;
// once it resumes Syncthing writes a conflict copy, which the first diary
// finds and merges by clicks. After the next sync both galleries hold every
// reading exactly once. The test starts and ends its own instances.
#include "main_form_fixture.h"
#include "storage/conflict_copies.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kFolderId = QStringLiteral("galerie");
const QString kMonth = QStringLiteral("2017/Muster_03_2017.tab");

// A port nobody listens on now: the system's choice for a socket bound
// to port 0.
int freePort()
{
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(socket, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
        ::getsockname(socket, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(socket);
    return port;
}

QByteArray runToEnd(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
    }
    return process.readAllStandardOutput();
}

// One Syncthing with its own home, beside one diary.
struct Instance
{
    QTemporaryDir home;
    QString folder; // the diary's gallery
    QString id;
    QString apiKey;
    int listenPort = 0;
    int guiPort = 0;
    QProcess process;

    QString generate()
    {
        runToEnd(QStringLiteral("syncthing"),
                 {QStringLiteral("generate"), QStringLiteral("--home=") + home.path(),
                  QStringLiteral("--no-default-folder")});
        id = QString::fromLatin1(
                 runToEnd(QStringLiteral("syncthing"),
                          {QStringLiteral("--home=") + home.path(), QStringLiteral("--device-id")}))
                 .trimmed();
        const QString config = QString::fromUtf8(TempHome::readFile(configPath()));
        apiKey = QRegularExpression(QStringLiteral("<apikey>([^<]+)</apikey>"))
                     .match(config)
                     .captured(1);
        listenPort = freePort();
        guiPort = freePort();
        return config;
    }
    QString configPath() const { return home.path() + QStringLiteral("/config.xml"); }

    // The generated configuration, every way out of the machine closed, the
    // other instance at its fixed address, the gallery shared with it and
    // watched closely.
    void configure(QString config, const Instance &other)
    {
        const auto set = [&config](const QString &tag, const QString &value) {
            config.replace(QRegularExpression(QStringLiteral("<%1>[^<]*</%1>").arg(tag)),
                           QStringLiteral("<%1>%2</%1>").arg(tag, value));
        };
        set(QStringLiteral("listenAddress"), QStringLiteral("tcp://127.0.0.1:%1").arg(listenPort));
        set(QStringLiteral("globalAnnounceEnabled"), QStringLiteral("false"));
        set(QStringLiteral("localAnnounceEnabled"), QStringLiteral("false"));
        set(QStringLiteral("relaysEnabled"), QStringLiteral("false"));
        set(QStringLiteral("natEnabled"), QStringLiteral("false"));
        set(QStringLiteral("urAccepted"), QStringLiteral("-1"));
        set(QStringLiteral("autoUpgradeIntervalH"), QStringLiteral("0"));
        set(QStringLiteral("crashReportingEnabled"), QStringLiteral("false"));
        set(QStringLiteral("startBrowser"), QStringLiteral("false"));
        set(QStringLiteral("stunKeepaliveStartS"), QStringLiteral("0"));
        set(QStringLiteral("announceLANAddresses"), QStringLiteral("false"));
        // A resumed link is dialled again at once, not after a minute.
        set(QStringLiteral("reconnectionIntervalS"), QStringLiteral("1"));
        config.replace(
            QRegularExpression(QStringLiteral("<address>127\\.0\\.0\\.1:\\d+</address>")),
            QStringLiteral("<address>127.0.0.1:%1</address>").arg(guiPort));
        config.replace(QStringLiteral("<address>dynamic</address>"),
                       QStringLiteral("<address>tcp://127.0.0.1:%1</address>").arg(listenPort));
        const QString shared =
            QStringLiteral(
                "    <folder id=\"%1\" label=\"Galerie\" path=\"%2\" type=\"sendreceive\" "
                "rescanIntervalS=\"2\" fsWatcherEnabled=\"true\" fsWatcherDelayS=\"1\" "
                "ignorePerms=\"false\" autoNormalize=\"true\">\n"
                "        <device id=\"%3\" introducedBy=\"\"></device>\n"
                // Missing, it would be 0: the losing side overwritten, no copy.
                "        <maxConflicts>10</maxConflicts>\n"
                "        <device id=\"%4\" introducedBy=\"\"></device>\n"
                "    </folder>\n"
                "    <device id=\"%4\" name=\"other\" compression=\"metadata\" "
                "introducer=\"false\" skipIntroductionRemovals=\"false\" introducedBy=\"\">\n"
                "        <address>tcp://127.0.0.1:%5</address>\n"
                "    </device>\n")
                .arg(kFolderId, folder, id, other.id)
                .arg(other.listenPort);
        config.replace(QStringLiteral("    <gui "), shared + QStringLiteral("    <gui "));
        TempHome::writeFile(configPath(), config.toUtf8());
    }

    void start()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("STNOUPGRADE"), QStringLiteral("1"));
        environment.insert(QStringLiteral("STNODEFAULTFOLDER"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.setStandardOutputFile(home.path() + QStringLiteral("/log.txt"));
        process.start(QStringLiteral("syncthing"),
                      {QStringLiteral("serve"), QStringLiteral("--home=") + home.path(),
                       QStringLiteral("--no-browser"), QStringLiteral("--no-restart")});
    }

    QByteArray rest(const char *method, const QString &path) const
    {
        return runToEnd(QStringLiteral("curl"),
                        {QStringLiteral("-s"), QStringLiteral("-m"), QStringLiteral("5"),
                         QStringLiteral("-X"), QLatin1String(method), QStringLiteral("-H"),
                         QStringLiteral("X-API-Key: ") + apiKey,
                         QStringLiteral("http://127.0.0.1:%1%2").arg(guiPort).arg(path)});
    }
    QJsonObject restObject(const QString &path) const
    {
        return QJsonDocument::fromJson(rest("GET", path)).object();
    }
    bool connectedTo(const Instance &other) const
    {
        return restObject(QStringLiteral("/rest/system/connections"))
            .value(QStringLiteral("connections"))
            .toObject()
            .value(other.id)
            .toObject()
            .value(QStringLiteral("connected"))
            .toBool();
    }
    // Syncthing has read the file as it is on disk now.
    bool scanned(const QString &file) const
    {
        const QJsonObject local =
            restObject(QStringLiteral("/rest/db/file?folder=%1&file=%2").arg(kFolderId, file))
                .value(QStringLiteral("local"))
                .toObject();
        return local.value(QStringLiteral("size")).toInteger(-1) == QFileInfo(folder + file).size();
    }
    void scan() const { rest("POST", QStringLiteral("/rest/db/scan?folder=") + kFolderId); }

    void stop()
    {
        if (process.state() == QProcess::NotRunning)
            return;
        rest("POST", QStringLiteral("/rest/system/shutdown"));
        if (!process.waitForFinished(10000)) {
            process.kill();
            process.waitForFinished();
        }
    }
    ~Instance() { stop(); }
    Instance() = default;
    Instance(const Instance &) = delete;
    Instance &operator=(const Instance &) = delete;
};

QStringList entriesOf(const QString &path)
{
    return QString::fromLatin1(TempHome::readFile(path))
        .split(QStringLiteral("\r\n"))
        .filter(QStringLiteral(" den "));
}

} // namespace

class TestSyncthingConflicts : public QObject
{
    Q_OBJECT

private slots:
    void conflictOfTwoComputersIsMergedWithoutLoss();
};

void TestSyncthingConflicts::conflictOfTwoComputersIsMergedWithoutLoss()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("syncthing")).isEmpty(),
             "syncthing is missing: tools/setup.sh installs it");
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("curl")).isEmpty(), "curl is missing");
    QElapsedTimer clock;
    clock.start();
    const auto step = [&clock](const char *what) {
        qInfo("%6.1f s  %s", double(clock.elapsed()) / 1000, what);
    };

    // The desk's diary with March, the laptop's still empty.
    FormFixture desk;
    FormFixture laptop;
    desk.startAs(QStringLiteral("Muster"));
    laptop.startAs(QStringLiteral("Muster"));
    desk.add(1, 3, 2017, Slot::Morning, QStringLiteral("07:30"), 140, 90, 70);
    desk.add(1, 3, 2017, Slot::Evening, QStringLiteral("20:40"), 135, 85, 66);
    const QString deskMonth = desk.gallery() + kMonth;
    const QString laptopMonth = laptop.gallery() + kMonth;
    QCOMPARE(entriesOf(deskMonth).size(), 2);

    Instance a;
    Instance b;
    a.folder = desk.gallery();
    b.folder = laptop.gallery();
    const QString configA = a.generate();
    const QString configB = b.generate();
    QVERIFY(!a.id.isEmpty() && !b.id.isEmpty() && !a.apiKey.isEmpty() && !b.apiKey.isEmpty());
    a.configure(configA, b);
    b.configure(configB, a);
    for (const Instance *instance : {&a, &b})
        QVERIFY(QDir().mkpath(instance->folder + QStringLiteral(".stfolder")));
    a.start();
    b.start();
    QVERIFY(a.process.waitForStarted() && b.process.waitForStarted());
    step("both instances started");

    QTRY_VERIFY_WITH_TIMEOUT(a.connectedTo(b), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(TempHome::readFile(laptopMonth), TempHome::readFile(deskMonth),
                              30000);
    step("March reached the laptop");
    laptop.seam.openFileAnswers = {laptopMonth};
    laptop.menu("oeffnen");
    QCOMPARE(laptop.list()->count(), 2);

    // The link paused on both sides; each diary adds a reading to March.
    a.rest("POST", QStringLiteral("/rest/system/pause?device=") + b.id);
    b.rest("POST", QStringLiteral("/rest/system/pause?device=") + a.id);
    QTRY_VERIFY_WITH_TIMEOUT(!a.connectedTo(b) && !b.connectedTo(a), 15000);
    step("link paused");
    desk.add(2, 3, 2017, Slot::Morning, QStringLiteral("07:10"), 125, 79, 61);
    laptop.add(3, 3, 2017, Slot::Evening, QStringLiteral("21:00"), 133, 84, 70);
    QCOMPARE(entriesOf(deskMonth).size(), 3);
    QCOMPARE(entriesOf(laptopMonth).size(), 3);
    QVERIFY(entriesOf(deskMonth) != entriesOf(laptopMonth));
    const QStringList everyReading = {
        QStringLiteral("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0"),
        QStringLiteral("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0"),
        QStringLiteral("Morgens den 02.03.2017 Z=07:10 s=125, d=79, p=61, Gewicht=0"),
        QStringLiteral("Abends den 03.03.2017 Z=21:00 s=133, d=84, p=70, Gewicht=0")};
    a.scan();
    b.scan();
    QTRY_VERIFY_WITH_TIMEOUT(a.scanned(kMonth) && b.scanned(kMonth), 15000);
    step("both changes scanned");

    // Resumed: Syncthing keeps one March and puts the other beside it.
    a.rest("POST", QStringLiteral("/rest/system/resume?device=") + b.id);
    b.rest("POST", QStringLiteral("/rest/system/resume?device=") + a.id);
    // Each side is asked to scan at every look: the copy may be made on the
    // laptop and has to travel.
    const auto copiesOnTheDesk = [&] {
        a.scan();
        b.scan();
        return ConflictCopies::find(desk.gallery(), QStringLiteral("Muster")).size();
    };
    QTRY_COMPARE_WITH_TIMEOUT(copiesOnTheDesk(), 1, 45000);
    QTRY_COMPARE_WITH_TIMEOUT(entriesOf(laptopMonth), entriesOf(deskMonth), 30000);
    const ConflictCopies::Copy copy =
        ConflictCopies::find(desk.gallery(), QStringLiteral("Muster")).constFirst();
    QCOMPARE(int(copy.tool), int(ConflictCopies::Tool::Syncthing));
    QCOMPARE(copy.originalPath, deskMonth);
    step("conflict copy written");
    qInfo("conflict copy: %s", qPrintable(QFileInfo(copy.path).fileName()));
    // The desk's window shows the March Syncthing kept.
    QTRY_COMPARE_WITH_TIMEOUT(desk.list()->count(), 3, 5000);

    // The desk's diary merges the copy, by clicks.
    desk.seam.dialogHandler = [](QDialog &dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("UebernehmenBtn")),
                          Qt::LeftButton);
        return dialog.result();
    };
    desk.seam.clear();
    desk.menu("KonflikteZusammenfuehren1");
    QCOMPARE(desk.seam.texts(QStringLiteral("dialog")),
             QStringList({QStringLiteral("KonflikteDlg")}));
    QCOMPARE(desk.get<QLabel>("StatusLabel")->text(), QStringLiteral("Konflikte zusammengeführt."));
    QCOMPARE(desk.list()->count(), 4);
    step("merged on the desk");

    // The next sync brings the merged March to the laptop; the copy is gone
    // from both year folders and kept in the versions folder.
    a.scan();
    QTRY_COMPARE_WITH_TIMEOUT(entriesOf(laptopMonth), entriesOf(deskMonth), 45000);
    QTRY_VERIFY_WITH_TIMEOUT(
        ConflictCopies::find(laptop.gallery(), QStringLiteral("Muster")).isEmpty(), 30000);
    step("merged March synced back");
    QVERIFY(ConflictCopies::find(desk.gallery(), QStringLiteral("Muster")).isEmpty());
    QVERIFY(QFileInfo::exists(desk.gallery() + QStringLiteral("Sicherungen/2017/") +
                              QFileInfo(copy.path).fileName()));
    for (const QString &month : {deskMonth, laptopMonth}) {
        const QStringList entries = entriesOf(month);
        QCOMPARE(entries.size(), everyReading.size());
        for (const QString &reading : everyReading)
            QCOMPARE(entries.count(reading), 1);
    }
    // The laptop's window took the merged March from disk by itself.
    QTRY_COMPARE_WITH_TIMEOUT(laptop.list()->count(), 4, 5000);

    a.stop();
    b.stop();
    step("both instances stopped");
    QVERIFY2(clock.elapsed() < 120000, "the whole test must stay within two minutes");
}

QTEST_MAIN(TestSyncthingConflicts)
#include "tst_syncthing_conflicts.moc"
