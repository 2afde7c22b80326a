// Reading CSV files of measuring devices: encodings, separators, quoted
// fields, header names, date forms, values at their limits, the device
// exports of tests/data/import, and files that must be refused.
#include "exchange/csv_import.h"
#include "exchange/import_text.h"
#include "support/temp_home.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using ImportValues::DateForm;

namespace {

const std::array<QString, 4> kTimes = {QStringLiteral("07:30"), QStringLiteral("13:00"),
                                       QStringLiteral("15:30"), QStringLiteral("20:40")};

QString fixture(const char *name)
{
    return QStringLiteral(VANTORIA_TEST_DATA_DIR "/import/") + QLatin1String(name);
}

CsvImport::Table openFixture(const char *name)
{
    const CsvImport::Opened opened = CsvImport::readFile(fixture(name));
    if (!opened.table)
        qFatal("%s: %s", name, qPrintable(opened.problem));
    return *opened.table;
}

CsvImport::Readings readAll(const CsvImport::Table &table)
{
    const ColumnMapping mapping = ImportColumns::guess(table.header);
    const QList<DateForm> forms =
        ImportValues::fittingDateForms(CsvImport::dateTexts(table, mapping));
    return CsvImport::readingsOf(table, mapping, forms.value(0), kTimes);
}

QStringList linesOf(const CsvImport::Readings &readings)
{
    QStringList lines;
    for (const Reading &reading : readings.readings)
        lines.append(reading.line);
    return lines;
}

QStringList names(const QList<DateForm> &forms)
{
    QStringList result;
    for (DateForm form : forms)
        result.append(ImportValues::dateFormName(form));
    return result;
}

QStringList faultsOf(const CsvImport::Readings &readings)
{
    QStringList faults;
    for (const CsvImport::Faulty &faulty : readings.faulty)
        faults.append(QStringLiteral("%1: %2").arg(faulty.line).arg(faulty.reason));
    return faults;
}

} // namespace

class TestExchangeImport : public QObject
{
    Q_OBJECT

private slots:
    void encodings_data();
    void encodings();
    void quotedFieldsAndLineNumbers();
    void headerNames_data();
    void headerNames();
    void dateForms();
    void timesAndValuesAtTheirLimits();
    void endOfDayRows();
    void germanAppWithBomEmptyAndBrokenLines();
    void utf16WithTabsIsoDatesAndExtraColumns();
    void usDatesWithDeviceLineAndQuotedNotes();
    void windowsCodePageWithDateAndTimeInOneColumn();
    void slashedDatesThatCannotDecide();
    void missingColumnIsNamed();
    void hugeFileIsRefusedBeforeReading();
    void sizeLimitAtItsExactValue();
    void binaryJunkIsRefused();
};

void TestExchangeImport::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("encoding");
    const QString header = QStringLiteral("Datum;Zeit;Sys;Dia;Körpergewicht\r\n");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + header.toUtf8() << "UTF-8";
    QTest::newRow("UTF-8 without BOM") << header.toUtf8() << "UTF-8";
    QByteArray little("\xFF\xFE"), big("\xFE\xFF");
    for (const QChar character : header) {
        little += char(character.unicode() & 0xFF);
        little += char(character.unicode() >> 8);
        big += char(character.unicode() >> 8);
        big += char(character.unicode() & 0xFF);
    }
    QTest::newRow("UTF-16 LE") << little << "UTF-16";
    QTest::newRow("UTF-16 BE") << big << "UTF-16";
    QTest::newRow("Windows-1252") << header.toLatin1() << "Windows-1252";
}

void TestExchangeImport::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, encoding);
    const ImportText::Decoded decoded = ImportText::decode(bytes);
    QCOMPARE(decoded.encoding, encoding);
    QCOMPARE(decoded.text, QStringLiteral("Datum;Zeit;Sys;Dia;Körpergewicht\r\n"));
    QVERIFY(!ImportText::looksBinary(decoded.text));
}

void TestExchangeImport::quotedFieldsAndLineNumbers()
{
    const QString text = QStringLiteral("a;\"b;c\";\"say \"\"hi\"\"\"\r\n"
                                        "\"two\r\nlines\";x\n"
                                        "\n"
                                        "last;\"open");
    const QList<CsvRecords::Record> records = CsvRecords::split(text, u';');
    // The empty line is no record, but it counts, as does the break inside quotes.
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0).fields, (QStringList{"a", "b;c", "say \"hi\""}));
    QCOMPARE(records.at(1).fields, (QStringList{"two\r\nlines", "x"}));
    QCOMPARE(records.at(1).line, 2);
    QCOMPARE(records.at(2).fields, (QStringList{"last", "open"}));
    QCOMPARE(records.at(2).line, 5);
    QCOMPARE(CsvRecords::split(text, u';', 2).size(), 2);
    // A record of endless separators keeps only as many fields as a table can use.
    QCOMPARE(CsvRecords::split(QString(100000, u';'), u';').constFirst().fields.size(),
             CsvRecords::kMaxFields);

    // What the writer quotes, the reader gives back.
    const QStringList odd = {"plain", "semi;colon", "quote\"d", "line\nbreak", " blank", ""};
    const QString line = CsvRecords::joinLine(odd, u';');
    QCOMPARE(line,
             QStringLiteral("plain;\"semi;colon\";\"quote\"\"d\";\"line\nbreak\";\" blank\";\r\n"));
    QCOMPARE(CsvRecords::split(line, u';').constFirst().fields, odd);
}

void TestExchangeImport::headerNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("field"); // -1: none
    const auto row = [](const char *name, int field) {
        QTest::newRow(name) << QString::fromUtf8(name) << field;
    };
    row("Datum", int(ImportField::Date));
    row("Date", int(ImportField::Date));
    row("Datum/Uhrzeit", int(ImportField::Date));
    row("Uhrzeit", int(ImportField::Time));
    row("Time", int(ImportField::Time));
    row("Sys", int(ImportField::Systolic));
    row("Systolisch (mmHg)", int(ImportField::Systolic));
    row("SYSTOLIC [mmHg]", int(ImportField::Systolic));
    row("Dia", int(ImportField::Diastolic));
    row("Diastolic (mmHg)", int(ImportField::Diastolic));
    row("Puls (1/min)", int(ImportField::Pulse));
    row("Pulse", int(ImportField::Pulse));
    row("Heart Rate", int(ImportField::Pulse));
    row("Gewicht (kg)", int(ImportField::Weight));
    row("Weight", int(ImportField::Weight));
    row("Körpergewicht", int(ImportField::Weight));
    row("Messung", int(ImportField::Slot));
    row("Wochentag", -1);
    row("Note", -1);
    row("Irregular heartbeat", -1);
}

void TestExchangeImport::headerNames()
{
    QFETCH(QString, name);
    QFETCH(int, field);
    const std::optional<ImportField> found = ImportColumns::recognise(name);
    QCOMPARE(found ? int(*found) : -1, field);
}

void TestExchangeImport::dateForms()
{
    const auto date = [](const char *text, DateForm form) {
        return ImportValues::parseDate(text, form).value_or(QDate());
    };
    QCOMPARE(date("1.3.2017", DateForm::DayMonthYear), QDate(2017, 3, 1));
    QCOMPARE(date("2017-03-01", DateForm::YearMonthDay), QDate(2017, 3, 1));
    QCOMPARE(date("03/01/2017", DateForm::MonthDayYear), QDate(2017, 3, 1));
    QCOMPARE(date("29.02.2024", DateForm::DayMonthYear), QDate(2024, 2, 29));
    for (const char *bad : {"29.02.2023", "32.01.2017", "01.13.2017", "01.03.17", "001.03.2017",
                            "01.03.1899", "01-03-2017", ""})
        QVERIFY2(!ImportValues::parseDate(bad, DateForm::DayMonthYear), bad);
    QCOMPARE(date("01.03.1900", DateForm::DayMonthYear), QDate(1900, 3, 1));

    // A day of 13 decides; days up to 12 leave both slashed forms.
    const auto fitting = [](const QStringList &texts) {
        return names(ImportValues::fittingDateForms(texts));
    };
    QCOMPARE(fitting({"03/12/2017", "03/13/2017"}), QStringList{"MM/TT/JJJJ"});
    QCOMPARE(fitting({"13/03/2017", "12/03/2017"}), QStringList{"TT/MM/JJJJ"});
    QCOMPARE(fitting({"03/12/2017", "12/03/2017"}), (QStringList{"MM/TT/JJJJ", "TT/MM/JJJJ"}));
    QCOMPARE(fitting({"2017-03-01", "Gerät"}), QStringList{"JJJJ-MM-TT"});
    QCOMPARE(fitting({"gestern"}), QStringList{});
    QCOMPARE(ImportValues::slashDateQuestion("03/04/2017"),
             QStringLiteral("Die Datumsangaben der Datei lassen sich auf zwei Arten lesen: "
                            "„03/04/2017“ kann der 4. März 2017 (Monat/Tag/Jahr, amerikanisch) "
                            "oder der 3. April 2017 (Tag/Monat/Jahr) sein.\n\n"
                            "Sind die Datumsangaben als Monat/Tag/Jahr geschrieben?"));
}

void TestExchangeImport::timesAndValuesAtTheirLimits()
{
    const auto time = [](const char *text) { return ImportValues::parseTime(text).value_or("-"); };
    QCOMPARE(time("7:05"), QStringLiteral("07:05"));
    QCOMPARE(time("23:59"), QStringLiteral("23:59"));
    QCOMPARE(time("00:00"), QStringLiteral("00:00"));
    // The end of the day, as the entry form and the export write it; no
    // moment past it.
    QCOMPARE(time("24:00"), QStringLiteral("24:00"));
    QCOMPARE(time("24:00:00"), QStringLiteral("24:00"));
    QCOMPARE(time("24:00:00.000"), QStringLiteral("24:00"));
    QCOMPARE(time("24:00 Uhr"), QStringLiteral("24:00"));
    QCOMPARE(time("24:00:01"), QStringLiteral("-"));
    QCOMPARE(time("24:00:00.5"), QStringLiteral("-"));
    QCOMPARE(time("24:01"), QStringLiteral("-"));
    QCOMPARE(time("24:60"), QStringLiteral("-"));
    QCOMPARE(time("25:00"), QStringLiteral("-"));
    QCOMPARE(time("24:00 PM"), QStringLiteral("-"));
    QCOMPARE(time("23:60"), QStringLiteral("-"));
    QCOMPARE(time("07:60"), QStringLiteral("-"));
    QCOMPARE(time("07:30:59"), QStringLiteral("07:30"));
    QCOMPARE(time("07:30 Uhr"), QStringLiteral("07:30"));
    QCOMPARE(time("12:00 AM"), QStringLiteral("00:00"));
    QCOMPARE(time("12:59 PM"), QStringLiteral("12:59"));
    QCOMPARE(time("1:00 pm"), QStringLiteral("13:00"));
    QCOMPARE(time("13:00 PM"), QStringLiteral("-"));
    QCOMPARE(time("07:30:00+01:00"), QStringLiteral("07:30"));
    QCOMPARE(time("abends"), QStringLiteral("-"));

    const auto value = [](const char *text) { return ImportValues::parseValue(text).value_or(-1); };
    QCOMPARE(value("0"), 0);
    QCOMPARE(value(" 280 "), 280);
    QCOMPARE(value("281"), -1);
    QCOMPARE(value("-1"), -1);
    QCOMPARE(value("120.5"), -1);
    QCOMPARE(value(""), -1);

    const auto weight = [](const char *text) {
        return ImportValues::parseWeight(text).value_or("-");
    };
    QCOMPARE(weight("80,4"), QStringLiteral("80,4"));
    QCOMPARE(weight("81.25"), QStringLiteral("81,25"));
    QCOMPARE(weight("78,40 kg"), QStringLiteral("78,40"));
    QCOMPARE(weight("79"), QStringLiteral("79"));
    QCOMPARE(weight(""), QStringLiteral("0"));
    QCOMPARE(weight("0,0"), QStringLiteral("0"));
    QCOMPARE(weight("1.234,5"), QStringLiteral("-"));
    QCOMPARE(weight("schwer"), QStringLiteral("-"));
}

void TestExchangeImport::endOfDayRows()
{
    // With the slot named, as the export writes it; without, 24:00 is
    // nearest to the evening and 00:00 to the morning.
    const auto read = [](const char *csv) {
        const CsvImport::Opened opened =
            CsvImport::fromBytes(QByteArray(csv), QStringLiteral("werte.csv"));
        if (!opened.table)
            qFatal("%s", qPrintable(opened.problem));
        return readAll(*opened.table);
    };
    const CsvImport::Readings named = read("Datum;Messung;Uhrzeit;Sys;Dia;Puls\r\n"
                                           "31.12.2026;Messung 2;24:00;142;92;77\r\n"
                                           "31.12.2026;Messung 3;24:01;142;92;77\r\n");
    QCOMPARE(linesOf(named),
             QStringList{"Messung2 den 31.12.2026 Z=24:00 s=142, d=92, p=77, Gewicht=0"});
    QCOMPARE(faultsOf(named), QStringList{"3: Die Uhrzeit „24:01“ ist nicht lesbar."});
    QCOMPARE(named.faulty.constFirst().date, QDate(2026, 12, 31));

    const CsvImport::Readings nearest = read("Datum;Sys;Dia\r\n"
                                             "2026-03-28 24:00;140;90\r\n"
                                             "2026-03-29T00:00:00+01:00;138;88\r\n"
                                             "2026-03-29T24:00:00+02:00;133;85\r\n"
                                             "2026-03-30 24:00:01;131;84\r\n");
    QCOMPARE(linesOf(nearest),
             (QStringList{"Abends den 28.03.2026 Z=24:00 s=140, d=90, p=0, Gewicht=0",
                          "Morgens den 29.03.2026 Z=00:00 s=138, d=88, p=0, Gewicht=0",
                          "Abends den 29.03.2026 Z=24:00 s=133, d=85, p=0, Gewicht=0"}));
    QCOMPARE(faultsOf(nearest), QStringList{"5: Die Uhrzeit „24:00:01“ ist nicht lesbar."});
}

void TestExchangeImport::germanAppWithBomEmptyAndBrokenLines()
{
    const CsvImport::Table table = openFixture("geraet_bom_semikolon.csv");
    QCOMPARE(table.encoding, QStringLiteral("UTF-8"));
    QCOMPARE(table.separator, u';');
    const CsvImport::Readings readings = readAll(table);
    QCOMPARE(linesOf(readings),
             (QStringList{"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=80,4",
                          "Abends den 01.03.2017 Z=20:05 s=133, d=84, p=68, Gewicht=0",
                          "Morgens den 02.03.2017 Z=07:40 s=138, d=88, p=70, Gewicht=80,1",
                          "Messung2 den 03.03.2017 Z=13:10 s=128, d=82, p=64, Gewicht=79,9"}));
    QCOMPARE(faultsOf(readings),
             QStringList{QStringLiteral("6: Die Uhrzeit „abends“ ist nicht lesbar.")});
    QCOMPARE(readings.faulty.constFirst().date, QDate(2017, 3, 2));
}

void TestExchangeImport::utf16WithTabsIsoDatesAndExtraColumns()
{
    const CsvImport::Table table = openFixture("device_utf16_tab.csv");
    QCOMPARE(table.encoding, QStringLiteral("UTF-16"));
    QCOMPARE(table.separator, u'\t');
    const CsvImport::Readings readings = readAll(table);
    QCOMPARE(linesOf(readings),
             (QStringList{"Morgens den 04.03.2017 Z=06:55 s=145, d=92, p=75, Gewicht=81,25",
                          "Abends den 04.03.2017 Z=21:30 s=139, d=87, p=71, Gewicht=0",
                          "Messung2 den 01.04.2017 Z=12:00 s=131, d=83, p=65, Gewicht=80,0"}));
    QVERIFY(readings.faulty.isEmpty());
}

void TestExchangeImport::usDatesWithDeviceLineAndQuotedNotes()
{
    const CsvImport::Table table = openFixture("device_us_dates.csv");
    QCOMPARE(table.separator, u',');
    QCOMPARE(table.headerLine, 2);
    const CsvImport::Readings readings = readAll(table);
    QCOMPARE(linesOf(readings),
             (QStringList{"Morgens den 13.03.2017 Z=07:05 s=150, d=95, p=80, Gewicht=0",
                          "Abends den 13.03.2017 Z=20:45 s=142, d=90, p=77, Gewicht=0",
                          "Messung2 den 14.03.2017 Z=12:30 s=137, d=86, p=74, Gewicht=0"}));
    QCOMPARE(faultsOf(readings),
             QStringList{QStringLiteral("6: Die Zeile hat zu wenige Felder (2 statt 6).")});
}

void TestExchangeImport::windowsCodePageWithDateAndTimeInOneColumn()
{
    const CsvImport::Table table = openFixture("tabelle_windows1252.csv");
    QCOMPARE(table.encoding, QStringLiteral("Windows-1252"));
    QCOMPARE(table.header.at(4), QStringLiteral("Körpergewicht"));
    const ColumnMapping mapping = ImportColumns::guess(table.header);
    QCOMPARE(ImportColumns::column(mapping, ImportField::Time), -1);
    QCOMPARE(CsvImport::mappingProblem(table, mapping), QString());
    QCOMPARE(linesOf(readAll(table)),
             (QStringList{"Morgens den 06.03.2017 Z=07:31 s=147, d=93, p=78, Gewicht=81,3",
                          "Abends den 06.03.2017 Z=19:02 s=140, d=89, p=73, Gewicht=0"}));
}

void TestExchangeImport::slashedDatesThatCannotDecide()
{
    const CsvImport::Table table = openFixture("device_slash_ambiguous.csv");
    const ColumnMapping mapping = ImportColumns::guess(table.header);
    const QStringList dates = CsvImport::dateTexts(table, mapping);
    QCOMPARE(ImportValues::fittingDateForms(dates).size(), 2);
    const auto firstDate = [&](DateForm form) {
        return CsvImport::readingsOf(table, mapping, form, kTimes).readings.constFirst().date;
    };
    QCOMPARE(firstDate(DateForm::MonthDayYear), QDate(2017, 3, 4));
    QCOMPARE(firstDate(DateForm::DayMonthYearSlash), QDate(2017, 4, 3));
    // Read in a form that does not fit, every line says why.
    const CsvImport::Readings wrong =
        CsvImport::readingsOf(table, mapping, DateForm::DayMonthYear, kTimes);
    QCOMPARE(faultsOf(wrong).constFirst(),
             QStringLiteral("2: Das Datum „03/04/2017“ ist kein Datum der Form TT.MM.JJJJ."));
}

void TestExchangeImport::missingColumnIsNamed()
{
    const CsvImport::Table table = openFixture("ohne_diastolisch.csv");
    ColumnMapping mapping = ImportColumns::guess(table.header);
    QCOMPARE(CsvImport::mappingProblem(table, mapping),
             QStringLiteral("In der Datei fehlt eine Spalte für: Diastolisch. Ordnen Sie die "
                            "Spalten unter „Spalten“ zu."));
    ImportColumns::column(mapping, ImportField::Time) = -1;
    QCOMPARE(CsvImport::mappingProblem(table, mapping),
             QStringLiteral("In der Datei fehlen Spalten für: Uhrzeit, Diastolisch. Ordnen Sie "
                            "die Spalten unter „Spalten“ zu."));

    const CsvImport::Opened noHeader =
        CsvImport::fromBytes("01.03.2017;07:30;140;90;70\r\n", QStringLiteral("werte.csv"));
    QVERIFY(!noHeader.table);
    QCOMPARE(noHeader.problem,
             QStringLiteral("In der Datei „werte.csv“ steht keine Kopfzeile mit den Namen der "
                            "Spalten (zum Beispiel „Datum;Uhrzeit;Sys;Dia;Puls“)."));
    QCOMPARE(CsvImport::fromBytes(" \r\n", QStringLiteral("leer.csv")).problem,
             QStringLiteral("Die Datei „leer.csv“ ist leer."));
}

void TestExchangeImport::hugeFileIsRefusedBeforeReading()
{
    TempHome home;
    const QString path = home.workFolder() + QStringLiteral("riesig.csv");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(50LL * 1024 * 1024));
    file.close();
    QElapsedTimer timer;
    timer.start();
    const CsvImport::Opened opened = CsvImport::readFile(path);
    QVERIFY2(timer.elapsed() < 100, "the size alone decides");
    QVERIFY(!opened.table);
    QCOMPARE(opened.problem, QStringLiteral("Die Datei „riesig.csv“ ist mit 50,0 MB zu groß. "
                                            "Eingelesen werden Dateien bis 20 MB."));
}

void TestExchangeImport::sizeLimitAtItsExactValue()
{
    TempHome home;
    const QByteArray header = "Datum;Uhrzeit;Sys;Dia\r\n01.03.2017;07:30;140;90\r\n";
    for (const qint64 size : {ImportText::kMaxFileBytes - 1, ImportText::kMaxFileBytes,
                              ImportText::kMaxFileBytes + 1}) {
        const QString path = home.workFolder() + QStringLiteral("grenze.csv");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(header);
        file.write(QByteArray(size - header.size(), '\n'));
        file.close();
        const CsvImport::Opened opened = CsvImport::readFile(path);
        QCOMPARE(opened.table.has_value(), size <= ImportText::kMaxFileBytes);
        if (opened.table)
            QCOMPARE(opened.table->rows.size(), 1);
    }
}

void TestExchangeImport::binaryJunkIsRefused()
{
    QRandomGenerator random(18);
    QByteArray junk(4096, 0);
    for (char &byte : junk)
        byte = char(random.bounded(256));
    const QString message = QStringLiteral(
        "Die Datei „bild.png“ ist keine Textdatei. Eingelesen werden CSV-Dateien, wie "
        "Tabellenkalkulationen und die Apps von Messgeräten sie schreiben.");
    QCOMPARE(CsvImport::fromBytes(junk, QStringLiteral("bild.png")).problem, message);
    // One NUL is enough; one odd character in a hundred is not.
    QCOMPARE(CsvImport::fromBytes(QByteArray("Datum;Sys;Dia\r\n\0", 16), QStringLiteral("bild.png"))
                 .problem,
             message);
    QString text = QString(99, u'a') + QChar(1);
    QVERIFY(!ImportText::looksBinary(text));
    QVERIFY(ImportText::looksBinary(text + QChar(2)));
}

QTEST_GUILESS_MAIN(TestExchangeImport)
#include "tst_exchange_import.moc"
