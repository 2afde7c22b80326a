// The saving paths of the main window when the file system says no: every
// refusal gives its message and nothing that was on disk is lost.
#include "base/text_file.h"
#include "main_form_fixture.h"

#include <QDir>
#include <QFile>
#include <QSpinBox>
#include <QtTest>

#include <unistd.h>

namespace {

const char kMonthData[] = VANTORIA_TEST_DATA_DIR "/months/Muster_03_2017.tab";

QByteArray monthBytes()
{
    return TempHome::readFile(QString::fromUtf8(kMonthData));
}

// The full-disk seam stays on only for one test.
struct WriteFault
{
    explicit WriteFault(std::function<bool(const QString &)> allow)
    {
        TextFile::setWriteFaultForTesting(std::move(allow));
    }
    ~WriteFault() { TextFile::setWriteFaultForTesting({}); }
};

// A read-only folder. chmod does not stop root, under which the tests may
// run, so the write seam then refuses every write into the folder as well.
struct ReadOnlyFolder
{
    explicit ReadOnlyFolder(const QString &folder)
        : m_folder(folder)
        , m_fault([folder](const QString &path) {
            return ::geteuid() != 0 || !path.startsWith(folder + QLatin1Char('/'));
        })
    {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ExeGroup);
    }
    ~ReadOnlyFolder()
    {
        QFile::setPermissions(m_folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner);
    }
    QString m_folder;
    WriteFault m_fault;
};

// Adds the Messung2 reading of the 7th, the slot after the month's last entry.
void addReading(MainFormFixture &f)
{
    f.click("BitBtn3");
    f.click("BitBtn1");
}

// Types a remark and leaves remark mode by a click on the list.
void typeRemark(MainFormFixture &f, const QString &text)
{
    f.menu("Bemerkungeingeben1");
    f.memo()->setPlainText(text);
    f.clickLastRow();
}

} // namespace

class TstSaveFaults : public QObject
{
    Q_OBJECT

private slots:
    void refusedWriteKeepsMonthFile_data();
    void refusedWriteKeepsMonthFile();
    void refusedWriteKeepsRemark_data();
    void refusedWriteKeepsRemark();
    void galleryFolderGoneWhileRunningIsMadeAgain();
    void galleryFolderThatCannotBeMadeEndsTheStart();
    void yearFolderThatCannotBeMade();
    void fileNameTooLongForTheFileSystem();
};

void TstSaveFaults::refusedWriteKeepsMonthFile_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("read-only year folder") << true;
    QTest::newRow("full disk") << false;
}

void TstSaveFaults::refusedWriteKeepsMonthFile()
{
    QFETCH(bool, readOnlyFolder);
    MainFormFixture f;
    f.start(monthBytes());
    const QMap<QString, QByteArray> before = f.snapshot();
    const QStringList listBefore = f.form->listLines();
    QCOMPARE(listBefore.size(), 6);

    std::unique_ptr<ReadOnlyFolder> folder;
    std::unique_ptr<WriteFault> disk;
    if (readOnlyFolder)
        folder = std::make_unique<ReadOnlyFolder>(f.yearFolder());
    else
        disk = std::make_unique<WriteFault>([](const QString &) { return false; });

    // Adding: the list keeps the new line, the file its old content.
    addReading(f);
    QCOMPARE(f.seam.messages(),
             QStringList{QStringLiteral("Fehler beim Erzeugen der Datei ") + f.monthPath()});
    QCOMPARE(f.seam.texts(QStringLiteral("warning")).size(), 1);
    QCOMPARE(f.form->listLines().size(), 7);
    QCOMPARE(TempHome::readFile(f.monthPath()), monthBytes());

    // Saving the list again (as after an edit or a colour change).
    f.seam.clear();
    f.run([&] { f.form->TabDateiSpeichern(); });
    QCOMPARE(f.seam.texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Fehler beim Erzeugen der Datei Muster_03_2017.tab!")});
    QCOMPARE(f.form->listLines().size(), 7);

    // Nothing below the home changed, settings included.
    QCOMPARE(f.snapshot(), before);

    // Once the folder takes writes again, the reading kept in the list is saved.
    folder.reset();
    disk.reset();
    f.seam.clear();
    f.run([&] { f.form->TabDateiSpeichern(); });
    QCOMPARE(f.seam.messages(), QStringList());
    const QByteArray saved = TempHome::readFile(f.monthPath());
    // Saved as the list holds it after the failed add: in entry form, two
    // blanks after "den", until the next save.
    QVERIFY(QString::fromLatin1(saved).contains(
        QRegularExpression(QStringLiteral("\r\nMessung2 den +07\\.03\\.2017 Z="))));
    QVERIFY(saved.contains("Abends den 05.03.2017 Z=20:40 s=135, d=86, p=0, Gewicht=0\r\n"));
    QCOMPARE(f.form->listLines().size(), 7);
}

void TstSaveFaults::refusedWriteKeepsRemark_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only year folder") << true << QString();
    QTest::newRow("full disk") << false
                               << QStringLiteral(
                                      "Auf dem Datenträger ist nicht genügend Speicherplatz.");
}

void TstSaveFaults::refusedWriteKeepsRemark()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(QString, reason);
    MainFormFixture f;
    f.start(monthBytes());
    const QMap<QString, QByteArray> before = f.snapshot();

    std::unique_ptr<ReadOnlyFolder> folder;
    std::unique_ptr<WriteFault> disk;
    if (readOnlyFolder)
        folder = std::make_unique<ReadOnlyFolder>(f.yearFolder());
    else
        disk = std::make_unique<WriteFault>([](const QString &) { return false; });

    typeRemark(f, QStringLiteral("Neue Bemerkung"));
    const QStringList warnings = f.seam.texts(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    const QString start = QStringLiteral("Die Bemerkung konnte nicht gespeichert werden: ") +
                          f.remarkPath() + QStringLiteral("\r\n");
    QVERIFY2(warnings.first().startsWith(start), qPrintable(warnings.first()));
    if (!reason.isEmpty())
        QCOMPARE(warnings.first().mid(start.size()), reason);
    QCOMPARE(f.snapshot(), before);

    // Closing the window while the remark is edited tries once more; still
    // nothing is lost.
    f.menu("Bemerkungeingeben1");
    f.memo()->setPlainText(QStringLiteral("Noch eine"));
    f.seam.clear();
    f.form->close();
    QCOMPARE(f.seam.texts(QStringLiteral("warning")).size(), 1);
    QCOMPARE(TempHome::readFile(f.remarkPath()), QByteArray("Alte Bemerkung\r\n"));
    QCOMPARE(TempHome::readFile(f.monthPath()), monthBytes());
}

void TstSaveFaults::galleryFolderGoneWhileRunningIsMadeAgain()
{
    MainFormFixture f;
    f.start(monthBytes());
    QVERIFY(QDir(f.gallery()).removeRecursively());

    addReading(f);
    QCOMPARE(f.seam.messages(), QStringList());
    // Every reading of the list is in the new file, the added one too.
    const QByteArray saved = TempHome::readFile(f.monthPath());
    for (const QString &line : f.form->listLines())
        QVERIFY2(saved.contains(QString(line).remove(QLatin1Char('\t')).toLatin1()),
                 qPrintable(line));
    QCOMPARE(f.form->listLines().size(), 7);
}

void TstSaveFaults::galleryFolderThatCannotBeMadeEndsTheStart()
{
    MainFormFixture f;
    // The data folder lies below a file: no folder can ever be made there.
    const QString blocker = f.home.root() + QStringLiteral("/blocker");
    TempHome::writeFile(blocker, "a file, not a folder");
    f.writeSettings(blocker + QStringLiteral("/data/"));
    const QMap<QString, QByteArray> before = f.snapshot();

    f.createForm();
    QVERIFY(f.form->endedAtStart());
    QCOMPARE(f.seam.endProgramCount, 1);
    QCOMPARE(f.seam.calls.size(), 3);
    QCOMPARE(f.seam.calls.at(2).kind, QStringLiteral("end"));
    QCOMPARE(f.seam.calls.at(0).kind, QStringLiteral("plain"));
    QCOMPARE(f.seam.calls.at(0).text,
             QStringLiteral("Ordner \"Blutdruck-Daten-Galerie/\" konnte nicht erstellt werden! "));
    QCOMPARE(f.seam.calls.at(1).kind, QStringLiteral("information"));
    QCOMPARE(f.seam.calls.at(1).text,
             QStringLiteral("Ordner: ") + blocker +
                 QStringLiteral("/data/Blutdruck-Daten-Galerie/\" existiert nicht! "
                                " Das Programm wird beendet."));
    f.form->FormPaint();
    f.form->close();
    QCOMPARE(f.snapshot(), before);
}

void TstSaveFaults::yearFolderThatCannotBeMade()
{
    MainFormFixture f;
    f.start(monthBytes());
    const QString otherYear = f.gallery() + QStringLiteral("2018");
    // A file where the year folder of 2018 would go.
    TempHome::writeFile(otherYear, "no folder");
    const QMap<QString, QByteArray> before = f.snapshot();

    f.menu("neuerstellen1");
    auto *year = f.form->findChild<QSpinBox *>(QStringLiteral("SpinEdit3"));
    QVERIFY(year);
    year->setValue(2018);
    f.seam.clear();
    f.click("BitBtn1");
    QCOMPARE(f.seam.messages(),
             (QStringList{QStringLiteral("Ordner \"2018\" konnte nicht erstellt werden! "),
                          QStringLiteral("Fehler beim Erzeugen der Datei ") + otherYear +
                              QStringLiteral("/Muster_03_2018.tab")}));
    QCOMPARE(f.seam.calls.at(0).kind, QStringLiteral("plain"));
    QCOMPARE(f.seam.calls.at(1).kind, QStringLiteral("warning"));
    QMap<QString, QByteArray> after = f.snapshot();
    // The chart folder of the new year may appear; nothing else changes.
    after.remove(QStringLiteral("/work/Blutdruck-Daten im Browser/2018"));
    QCOMPARE(after, before);
}

void TstSaveFaults::fileNameTooLongForTheFileSystem()
{
    MainFormFixture f;
    f.start(monthBytes());
    // A month of a user whose name makes a file name of more than 255 bytes,
    // opened from outside the gallery (a header value holds 254 characters).
    const QString longName(254, QLatin1Char('x'));
    QByteArray foreign = monthBytes();
    foreign.replace("BenutzerName=Muster", "BenutzerName=" + longName.toLatin1());
    const QString outside = f.home.root() + QStringLiteral("/import/Fremd_03_2017.tab");
    TempHome::writeFile(outside, foreign);
    QMap<QString, QByteArray> before = f.snapshot();

    f.load(outside);
    QCOMPARE(f.form->openMonth().userName(), longName);
    QCOMPARE(f.form->listLines().size(), 6);
    // The copy into the gallery fails without a message.
    QCOMPARE(f.seam.messages(), QStringList());

    addReading(f);
    const QString canonical =
        f.yearFolder() + QLatin1Char('/') + longName + QStringLiteral("_03_2017.tab");
    QCOMPARE(f.seam.messages(),
             QStringList{QStringLiteral("Fehler beim Erzeugen der Datei ") + canonical});
    f.seam.clear();
    f.run([&] { f.form->TabDateiSpeichern(); });
    QCOMPARE(f.seam.texts(QStringLiteral("warning")),
             QStringList{QStringLiteral("Fehler beim Erzeugen der Datei ") + longName +
                         QStringLiteral("_03_2017.tab!")});
    f.seam.clear();
    typeRemark(f, QStringLiteral("Bemerkung"));
    QCOMPARE(f.seam.texts(QStringLiteral("warning")).size(), 1);

    QMap<QString, QByteArray> after = f.snapshot();
    // Only the user name in the settings follows the opened file.
    const QString settings = f.home.settingsFile().mid(f.home.root().size());
    QVERIFY(after.take(settings).contains(longName.toLatin1()));
    before.remove(settings);
    QCOMPARE(after, before);
}

QTEST_MAIN(TstSaveFaults)
#include "tst_save_faults.moc"
