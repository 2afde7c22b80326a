#include "base/text_file.h"
#include "journal/entry_line.h"
#include "journal/month_file.h"
#include "journal/slots.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace MonthFile;

namespace {

const QString kMonths = QStringLiteral(VANTORIA_TEST_DATA_DIR "/months/");

QStringList displayLinesOf(const QStringList &fileLines)
{
    QStringList shown;
    for (const QString &line : fileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        if (const auto display = EntryLine::toDisplayLine(line))
            shown << *display;
    }
    return shown;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// Lines a hand could have added to a month file, cut to exactly that size.
QByteArray junkOfSize(qint64 size)
{
    const QByteArray line =
        "Morgens den 3x.01.2024 Z=07:3O s=12O, d=, p=\xE4\x81, Notiz ohne Wert\r\n";
    QByteArray bytes;
    bytes.reserve(size + line.size());
    while (bytes.size() < size)
        bytes += line;
    bytes.truncate(size);
    return bytes;
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A file of that size without writing its bytes: the file system keeps a hole.
bool makeSparse(const QString &path, qint64 size)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.resize(size);
}

} // namespace

class TestMonthFile : public QObject
{
    Q_OBJECT

private slots:
    void writesHeaderEmptyLineAndEntries();
    void writtenFileHoldsSingleByteUmlautAndCrLf();
    void loadAndSaveKeepsLinesAndDropsSecondBlank();

    void switchValues_data();
    void switchValues();
    void headerFollowsIniRules();
    void headerOutsideItsSectionIsIgnored();
    void longValuesAreCut();

    void sizeLimit_data();
    void sizeLimit();
    void refusalTellsNameSizeAndLimit_data();
    void refusalTellsNameSizeAndLimit();
    void streamWithoutSizeIsRefusedAtTheLimit();
    void missingFileIsUnreadableNotRefused();
    void untakenFileStillNamesItsMonth_data();
    void untakenFileStillNamesItsMonth();
};

void TestMonthFile::writesHeaderEmptyLineAndEntries()
{
    const QStringList shown = {
        *EntryLine::toDisplayLine("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5"),
        *EntryLine::toDisplayLine("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66")};
    const QStringList lines =
        fileLines("Muster", germanMonthName(3), "2017", {true, false, true, false}, shown);
    const QStringList expected = {
        "[Personendaten]",
        "BenutzerName=Muster",
        QString::fromUtf8("Datum=März 2017"),
        "1M=1",
        "2M=0",
        "3M=1",
        "4M=0",
        "",
        "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5",
        "Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66",
    };
    QCOMPARE(lines, expected);
}

void TestMonthFile::writtenFileHoldsSingleByteUmlautAndCrLf()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Muster_03_2017.tab");
    const QStringList shown = {
        *EntryLine::toDisplayLine("Morgens den  05.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0")};
    QVERIFY(TextFile::writeLines(
        path, fileLines("Muster", germanMonthName(3), "2017", {true, true, true, true}, shown)));

    const QByteArray bytes = fileBytes(path);
    QCOMPARE(bytes, QByteArray("[Personendaten]\r\nBenutzerName=Muster\r\nDatum=M\xE4rz 2017\r\n"
                               "1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n"
                               "Morgens den 05.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0\r\n"));

    // Read back, the header gives the month name with its umlaut.
    const auto lines = TextFile::readLines(path);
    QVERIFY(lines);
    QCOMPARE(readHeader(*lines).dateText, QString::fromUtf8("März 2017"));
}

void TestMonthFile::loadAndSaveKeepsLinesAndDropsSecondBlank()
{
    const auto original = TextFile::readLines(kMonths + "Muster_03_2017.tab");
    QVERIFY(original);
    const Header header = readHeader(*original);
    QCOMPARE(header.userName, QStringLiteral("Muster"));
    QCOMPARE(header.dateText, QString::fromUtf8("März 2017"));
    const auto switches = header.applySwitches({true, true, true, true});
    QCOMPARE(switches, (std::array<bool, 4>{true, true, false, true}));

    QTemporaryDir dir;
    const QString path = dir.filePath("Muster_03_2017.tab");
    const QStringList shown = displayLinesOf(*original);
    QCOMPARE(shown.size(), 6);
    QVERIFY(TextFile::writeLines(
        path, fileLines(header.userName, germanMonthName(3), "2017", switches, shown)));
    const auto saved = TextFile::readLines(path);
    QVERIFY(saved);

    // Every line comes back as it was, except that the missing "4M" is now
    // written and the two blanks after "den" became one.
    QStringList expected = *original;
    expected.insert(6, "4M=1");
    for (QString &line : expected)
        line.replace("den  ", "den ");
    QCOMPARE(*saved, expected);
    QVERIFY(saved->contains("Morgens den 07.03.2017 Z=07:30 s=120, d=80, p=70"));
}

void TestMonthFile::switchValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("wasOn");
    QTest::addColumn<bool>("isOn");
    QTest::newRow("1 sets") << "1" << false << true;
    QTest::newRow("0 clears") << "0" << true << false;
    QTest::newRow("10 clears") << "10" << true << false;
    QTest::newRow("01 clears") << "01" << false << false;
    QTest::newRow("empty keeps on") << "" << true << true;
    QTest::newRow("empty keeps off") << "" << false << false;
    QTest::newRow("other text keeps") << "ja" << false << false;
    QTest::newRow("11 sets") << "11" << false << true;
}

void TestMonthFile::switchValues()
{
    QFETCH(QString, value);
    QFETCH(bool, wasOn);
    QFETCH(bool, isOn);
    for (std::size_t slot = 0; slot < 4; ++slot) {
        QStringList file = {"[Personendaten]"};
        if (!value.isEmpty())
            file << slotInfo(Slot(slot)).headerKey + "=" + value;
        std::array<bool, 4> before = {!wasOn, !wasOn, !wasOn, !wasOn};
        before[slot] = wasOn;
        std::array<bool, 4> after = before;
        after[slot] = isOn;
        QCOMPARE(readHeader(file).applySwitches(before), after);
    }
}

void TestMonthFile::headerFollowsIniRules()
{
    const QStringList file = {
        "  [personendaten]  ",
        "  benutzername =  Erika Muster  ",
        "DATUM=Mai 2018",
        "1m = 0",
        "3M=0",
        "3M=1", // only the first of two equal keys counts
        "",
        "Morgens den 01.05.2018 Z=07:30 s=140, d=90, p=70, Gewicht=1M=1",
        "4M den 01.05.2018 Z=07:30 s=140, d=90, p=70",
    };
    const Header header = readHeader(file);
    QCOMPARE(header.userName, QStringLiteral("Erika Muster"));
    QCOMPARE(header.dateText, QStringLiteral("Mai 2018"));
    // Without "4M" the fourth switch keeps what it was.
    QCOMPARE(header.applySwitches({true, true, true, true}),
             (std::array<bool, 4>{false, true, false, true}));
    QCOMPARE(header.applySwitches({false, false, true, false}),
             (std::array<bool, 4>{false, false, false, false}));
}

void TestMonthFile::headerOutsideItsSectionIsIgnored()
{
    const QStringList noSection = {"BenutzerName=Muster", "1M=0", "",
                                   "Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70"};
    const Header none = readHeader(noSection);
    QCOMPARE(none.userName, QString());
    const std::array<bool, 4> allOn = {true, true, true, true};
    QCOMPARE(none.applySwitches(allOn), allOn);

    const QStringList otherSections = {"[Anderes]",       "BenutzerName=Fremd",
                                       "[Personendaten]", "BenutzerName=Muster",
                                       "[Danach]",        "2M=0"};
    const Header header = readHeader(otherSections);
    QCOMPARE(header.userName, QStringLiteral("Muster"));
    QCOMPARE(header.switchText[1], QString());

    QCOMPARE(readHeader({}).userName, QString());
}

void TestMonthFile::longValuesAreCut()
{
    const QString name = QString(300, QLatin1Char('x'));
    const Header header = readHeader({"[Personendaten]", "BenutzerName=" + name + "   "});
    QCOMPARE(header.userName, name.left(254));
}

void TestMonthFile::sizeLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("refused");
    QTest::newRow("one byte below") << kMaxFileBytes - 1 << false;
    QTest::newRow("at the limit") << kMaxFileBytes << false;
    QTest::newRow("one byte above") << kMaxFileBytes + 1 << true;
}

void TestMonthFile::sizeLimit()
{
    QFETCH(qint64, size);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Muster_01_2024.tab");
    const QByteArray bytes = junkOfSize(size);
    QVERIFY(writeRaw(path, bytes));

    const ReadResult read = readLines(path);
    if (refused) {
        const QString message = QString::fromUtf8(
            "Die Datei „Muster_01_2024.tab“ ist mit 1,1 MB zu groß für eine Monatstabelle "
            "(höchstens 1 MB) und wird nicht geöffnet.");
        QCOMPARE(sizeRefusal(path), message);
        QCOMPARE(read.refusal, message);
        QVERIFY(!read.lines);
    } else {
        QCOMPARE(sizeRefusal(path), QString());
        QCOMPARE(read.refusal, QString());
        QVERIFY(read.lines);
        QCOMPARE(*read.lines, TextFile::decodeLines(bytes));
        QCOMPARE(*read.lines, *TextFile::readLines(path));
    }
}

void TestMonthFile::refusalTellsNameSizeAndLimit_data()
{
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("sizeText");
    QTest::newRow("50 MB") << qint64(50'000'000) << "50,0";
    QTest::newRow("just over 50 MB") << qint64(50'000'001) << "50,1";
    QTest::newRow("grouped") << qint64(1'234'500'000) << "1.234,5";
}

void TestMonthFile::refusalTellsNameSizeAndLimit()
{
    QFETCH(qint64, size);
    QFETCH(QString, sizeText);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Zu groß_02_2024.tab");
    QVERIFY(makeSparse(path, size));
    const QString message = QString::fromUtf8("Die Datei „Zu groß_02_2024.tab“ ist mit ") +
                            sizeText +
                            QString::fromUtf8(" MB zu groß für eine Monatstabelle (höchstens 1 MB) "
                                              "und wird nicht geöffnet.");
    QCOMPARE(sizeRefusal(path), message);
    const ReadResult read = readLines(path);
    QCOMPARE(read.refusal, message);
    QVERIFY(!read.lines);
}

void TestMonthFile::streamWithoutSizeIsRefusedAtTheLimit()
{
    // A device tells no size before it is read; what it gives is still cut
    // at the limit instead of being read to its end.
    const QString endless = QStringLiteral("/dev/zero");
    if (!QFileInfo(endless).exists())
        QSKIP("no /dev/zero on this system");
    QCOMPARE(sizeRefusal(endless), QString());
    const ReadResult read = readLines(endless);
    QVERIFY(!read.lines);
    QCOMPARE(read.refusal, QString::fromUtf8("Die Datei „zero“ ist mit 1,1 MB zu groß für eine "
                                             "Monatstabelle (höchstens 1 MB) und wird nicht "
                                             "geöffnet."));
}

void TestMonthFile::missingFileIsUnreadableNotRefused()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("Muster_01_2024.tab");
    QCOMPARE(sizeRefusal(path), QString());
    const ReadResult read = readLines(path);
    QVERIFY(!read.lines);
    QCOMPARE(read.refusal, QString());
    // A folder in its place is no file either.
    QVERIFY(QDir().mkpath(path));
    QCOMPARE(sizeRefusal(path), QString());
    QVERIFY(!readLines(path).lines);
}

void TestMonthFile::untakenFileStillNamesItsMonth_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("datum");
    QTest::newRow("April") << "Muster_04_2017.tab" << QString::fromUtf8("April 2017");
    QTest::newRow("December") << "Erika Muster_12_2016.tab" << QString::fromUtf8("Dezember 2016");
    QTest::newRow("month 13") << "Muster_13_2017.tab" << QString();
    QTest::newRow("month 00") << "Muster_00_2017.tab" << QString();
    QTest::newRow("no month") << "Muster_2017.tab" << QString();
    QTest::newRow("year of three digits") << "Muster_04_017.tab" << QString();
    QTest::newRow("other name") << "Blutdruck.tab" << QString();
}

void TestMonthFile::untakenFileStillNamesItsMonth()
{
    QFETCH(QString, name);
    QFETCH(QString, datum);
    // A folder in the file's place: nothing of it can be read.
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QVERIFY(QDir().mkpath(path));
    const Header header = readHeaderOfUntakenFile(path);
    QCOMPARE(header.dateText, datum);
    QCOMPARE(header.userName, QString());
    QCOMPARE(header.switchText, (std::array<QString, 4>{}));
}

QTEST_GUILESS_MAIN(TestMonthFile)
#include "tst_month_file.moc"
