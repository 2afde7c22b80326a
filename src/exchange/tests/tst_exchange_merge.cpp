// Import into the gallery: the export read back gives the same month files,
// readings already stored are skipped, taken slots are given way, a full day
// takes nothing, and the preview and summary count it all.
#include "base/text_file.h"
#include "exchange/csv_export.h"
#include "exchange/import_plan.h"
#include "exchange/import_report.h"
#include "storage/gallery.h"
#include "support/temp_home.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

namespace {

const std::array<QString, 4> kTimes = {QStringLiteral("07:30"), QStringLiteral("13:00"),
                                       QStringLiteral("15:30"), QStringLiteral("20:40")};

QByteArray monthBytes(const char *datum, std::initializer_list<const char *> lines)
{
    QByteArray text = QByteArray("[Personendaten]\r\nBenutzerName=Muster\r\nDatum=") + datum +
                      "\r\n1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n";
    for (const char *line : lines)
        text += QByteArray(line) + "\r\n";
    return text;
}

ImportPreview previewOf(const QByteArray &csv, const QString &gallery)
{
    const CsvImport::Opened opened = CsvImport::fromBytes(csv, QStringLiteral("import.csv"));
    if (!opened.table)
        qFatal("%s", qPrintable(opened.problem));
    const ColumnMapping mapping = ImportColumns::guess(opened.table->header);
    const QList<ImportValues::DateForm> forms =
        ImportValues::fittingDateForms(CsvImport::dateTexts(*opened.table, mapping));
    return ImportPlan::preview(*opened.table, mapping, forms.value(0),
                               {gallery, QStringLiteral("Muster"), kTimes});
}

} // namespace

class TestExchangeMerge : public QObject
{
    Q_OBJECT

private slots:
    void exportReadBackGivesTheSameMonthFiles_data();
    void exportReadBackGivesTheSameMonthFiles();
    void mergeIntoMonthsWithReadings();
    void aFullDayTakesNothing();
    void previewRowsAndSummary();
    void summaryCountsAtTheirLimits();
    void nearestSlotOnATie();
    void aWeightOnOneSideOnlyIsTheSameReading_data();
    void aWeightOnOneSideOnlyIsTheSameReading();
    void aMonthSavedAsUtf16TakesTheImport();
};

void TestExchangeMerge::aWeightOnOneSideOnlyIsTheSameReading_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QByteArray>("csv");
    QTest::addColumn<int>("present");
    QTest::addColumn<int>("added");
    const QByteArray withWeights = monthBytes(
        "M\xE4rz 2017", {"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=80,4",
                         "Abends den 01.03.2017 Z=20:40 s=150, d=95, p=80, Gewicht=81"});
    const QByteArray withoutWeights =
        monthBytes("M\xE4rz 2017", {"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=0",
                                    "Abends den 01.03.2017 Z=20:40 s=150, d=95, p=80, Gewicht=0"});
    // A device file without a weight column, over a month stored with weights.
    QTest::newRow("stored with weights, file without")
        << withWeights
        << QByteArray("Datum;Uhrzeit;Sys;Dia;Puls\r\n01.03.2017;07:12;141;91;72\r\n"
                      "01.03.2017;20:40;150;95;80\r\n")
        << 2 << 0;
    QTest::newRow("stored with weights, file with empty weights")
        << withWeights
        << QByteArray("Datum;Uhrzeit;Sys;Dia;Puls;Gewicht\r\n01.03.2017;07:12;141;91;72;\r\n"
                      "01.03.2017;20:40;150;95;80;0\r\n")
        << 2 << 0;
    QTest::newRow("stored without weights, file with")
        << withoutWeights
        << QByteArray("Datum;Uhrzeit;Sys;Dia;Puls;Gewicht\r\n01.03.2017;07:12;141;91;72;80,4\r\n"
                      "01.03.2017;20:40;150;95;80;81\r\n")
        << 2 << 0;
    // Where both carry a weight, it decides: one step off is another reading.
    QTest::newRow("both with weights, one differs by a step")
        << withWeights
        << QByteArray("Datum;Uhrzeit;Sys;Dia;Puls;Gewicht\r\n01.03.2017;07:12;141;91;72;80,5\r\n"
                      "01.03.2017;20:40;150;95;80;81,0\r\n")
        << 1 << 1;
}

void TestExchangeMerge::aWeightOnOneSideOnlyIsTheSameReading()
{
    QFETCH(QByteArray, stored);
    QFETCH(QByteArray, csv);
    QFETCH(int, present);
    QFETCH(int, added);
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    const QString march = gallery + QStringLiteral("2017/Muster_03_2017.tab");
    TempHome::writeFile(march, stored);
    const ImportPreview preview = previewOf(csv, gallery);
    QCOMPARE(preview.problem, QString());
    QVERIFY(preview.readings.faulty.isEmpty());
    QCOMPARE(preview.plan.present(), present);
    QCOMPARE(preview.plan.added(), added);
    QCOMPARE(GalleryMerge::apply(preview.plan, gallery, QStringLiteral("Muster")), QString());
    const QByteArray after = TempHome::readFile(march);
    if (added == 0) {
        // Nothing stored twice, and the file not even rewritten.
        QCOMPARE(after, stored);
        QCOMPARE(TempHome::filesBelow(gallery).keys(), QStringList{"2017/Muster_03_2017.tab"});
    } else {
        QCOMPARE(TextFile::decodeLines(after).mid(8),
                 (QStringList{"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=80,4",
                              "Messung2 den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=80,5",
                              "Abends den 01.03.2017 Z=20:40 s=150, d=95, p=80, Gewicht=81"}));
    }
}

void TestExchangeMerge::aMonthSavedAsUtf16TakesTheImport()
{
    const auto utf16 = [](const QString &text) {
        QByteArray bytes("\xFF\xFE");
        for (const QChar c : text)
            bytes.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
        return bytes;
    };
    const QString stored = QString::fromLatin1(monthBytes(
        "M\xE4rz 2017", {"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=0"}));
    const QByteArray csv = "Datum;Uhrzeit;Sys;Dia;Puls\r\n01.03.2017;07:12;141;91;72\r\n"
                           "02.03.2017;20:40;150;95;80\r\n";
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    const QString march = gallery + QStringLiteral("2017/Muster_03_2017.tab");

    // Read in its encoding: the stored reading is known, the new one is
    // added and the month written in the program's form.
    TempHome::writeFile(march, utf16(stored));
    const ImportPreview preview = previewOf(csv, gallery);
    QCOMPARE(preview.plan.present(), 1);
    QCOMPARE(preview.plan.added(), 1);
    QCOMPARE(GalleryMerge::apply(preview.plan, gallery, QStringLiteral("Muster")), QString());
    QCOMPARE(
        TempHome::readFile(march),
        monthBytes("M\xE4rz 2017", {"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=0",
                                    "Abends den 02.03.2017 Z=20:40 s=150, d=95, p=80, Gewicht=0"}));

    // A character Windows-1252 cannot hold would become '?': that month is
    // not written, and the message names the line.
    const QString odd = QStringLiteral("Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, "
                                       "Gewicht=0 ") +
                        QString::fromUtf8("✓");
    const QByteArray oddBytes =
        utf16(stored.section(QStringLiteral("Morgens"), 0, 0) + odd + QStringLiteral("\r\n"));
    TempHome::writeFile(march, oddBytes);
    const ImportPreview second = previewOf(csv, gallery);
    QCOMPARE(second.plan.added(), 1);
    QCOMPARE(GalleryMerge::apply(second.plan, gallery, QStringLiteral("Muster")),
             QStringLiteral("Die Tabelle „Muster_03_2017.tab“ wird nicht geschrieben: Die Zeile "
                            "„") +
                 odd +
                 QString::fromUtf8("“ enthält das Zeichen „✓“, das eine Monatstabelle im "
                                   "Zeichensatz Windows-1252 nicht speichern kann; es ginge "
                                   "beim Speichern verloren."));
    QCOMPARE(TempHome::readFile(march), oddBytes);
}

void TestExchangeMerge::exportReadBackGivesTheSameMonthFiles_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::addColumn<int>("count");
    QTest::newRow("a winter") << QStringLiteral(VANTORIA_TEST_DATA_DIR "/exchange/gallery/")
                              << QDate(2023, 12, 1) << QDate(2024, 2, 1) << 5 + 124 + 4;
    // 00:00, 23:59 and 24:00, the last of a month and of the year, and the
    // days around both changes of summer time.
    QTest::newRow("ends of days") << QStringLiteral(VANTORIA_TEST_DATA_DIR "/exchange/day_ends/")
                                  << QDate(2026, 3, 1) << QDate(2026, 12, 1) << 8 + 5 + 3;
}

void TestExchangeMerge::exportReadBackGivesTheSameMonthFiles()
{
    QFETCH(QString, source);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QFETCH(int, count);
    const QList<Gallery::Month> months =
        Gallery::readPeriod(source, QStringLiteral("Muster"), first, last);
    const QList<Reading> readings = Gallery::readingsOf(months);
    QCOMPARE(readings.size(), count);

    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    const ImportPreview preview = previewOf(CsvExport::bytes(readings), gallery);
    QCOMPARE(preview.problem, QString());
    QVERIFY(preview.readings.faulty.isEmpty());
    QCOMPARE(preview.plan.added(), readings.size());
    QCOMPARE(GalleryMerge::apply(preview.plan, gallery, QStringLiteral("Muster")), QString());
    const QMap<QString, QByteArray> expected = TempHome::filesBelow(source);
    QCOMPARE(TempHome::filesBelow(gallery).keys(), expected.keys());
    for (auto it = expected.begin(); it != expected.end(); ++it)
        QVERIFY2(TempHome::readFile(gallery + it.key()) == it.value(), qPrintable(it.key()));

    // Read back once more, everything is there already and nothing is written.
    const ImportPreview again = previewOf(CsvExport::bytes(readings), gallery);
    QCOMPARE(again.plan.added(), 0);
    QCOMPARE(again.plan.present(), readings.size());
}

void TestExchangeMerge::mergeIntoMonthsWithReadings()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    const QString march = gallery + QStringLiteral("2017/Muster_03_2017.tab");
    TempHome::writeFile(
        march, monthBytes("M\xE4rz 2017",
                          {"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=80,4",
                           "Abends den 02.03.2017 Z=20:40 s=150, d=95, p=80, Gewicht=0"}));
    const QStringList before = *TextFile::readLines(march);
    const ImportPreview preview =
        previewOf("Datum;Uhrzeit;Sys;Dia;Puls;Gewicht\r\n"
                  "01.03.2017;07:12;141;91;72;80,4\r\n" // stored already
                  "01.03.2017;07:12;141;91;72;80.4\r\n" // the same with a decimal point
                  "02.03.2017;20:30;139;88;70;\r\n"     // evening taken: Messung3 is nearest
                  "02.03.2017;07:35;139;88;70;\r\n"     // the morning is free
                  "05.04.2017;20:40;125;80;60;\r\n",    // a month without a file
                  gallery);
    QCOMPARE(preview.plan.present(), 2);
    QCOMPARE(preview.plan.added(), 3);
    QCOMPARE(preview.plan.unplaced(), 0);
    QCOMPARE(TextFile::readLines(march), before); // the preview writes nothing
    QCOMPARE(GalleryMerge::apply(preview.plan, gallery, QStringLiteral("Muster")), QString());
    const QStringList after = *TextFile::readLines(march);
    QCOMPARE(after.mid(8),
             (QStringList{"Morgens den 01.03.2017 Z=07:12 s=141, d=91, p=72, Gewicht=80,4",
                          "Morgens den 02.03.2017 Z=07:35 s=139, d=88, p=70, Gewicht=0",
                          "Messung3 den 02.03.2017 Z=20:30 s=139, d=88, p=70, Gewicht=0",
                          "Abends den 02.03.2017 Z=20:40 s=150, d=95, p=80, Gewicht=0"}));
    QCOMPARE(after.mid(0, 8), before.mid(0, 8));
    QCOMPARE(
        TempHome::readFile(gallery + QStringLiteral("2017/Muster_04_2017.tab")),
        monthBytes("April 2017", {"Abends den 05.04.2017 Z=20:40 s=125, d=80, p=60, Gewicht=0"}));
}

void TestExchangeMerge::aFullDayTakesNothing()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    const QString march = gallery + QStringLiteral("2017/Muster_03_2017.tab");
    const QByteArray full = monthBytes(
        "M\xE4rz 2017", {"Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=0",
                         "Messung2 den 01.03.2017 Z=13:00 s=140, d=90, p=70, Gewicht=0",
                         "Messung3 den 01.03.2017 Z=15:30 s=140, d=90, p=70, Gewicht=0"});
    TempHome::writeFile(march, full);
    // Three take the last free slot in turn: the first wins, two stay out.
    const ImportPreview preview = previewOf("Datum;Uhrzeit;Sys;Dia;Puls\r\n"
                                            "01.03.2017;08:00;120;80;60\r\n"
                                            "01.03.2017;09:00;121;80;60\r\n"
                                            "01.03.2017;10:00;122;80;60\r\n",
                                            gallery);
    QCOMPARE(preview.plan.added(), 1);
    QCOMPARE(preview.plan.unplaced(), 2);
    QCOMPARE(GalleryMerge::apply(preview.plan, gallery, QStringLiteral("Muster")), QString());
    QCOMPARE(TextFile::readLines(march)->constLast(),
             QStringLiteral("Abends den 01.03.2017 Z=08:00 s=120, d=80, p=60, Gewicht=0"));
}

void TestExchangeMerge::previewRowsAndSummary()
{
    TempHome home;
    const QString gallery = home.workFolder() + QStringLiteral("Blutdruck-Daten-Galerie/");
    TempHome::writeFile(gallery + QStringLiteral("2017/Muster_03_2017.tab"),
                        monthBytes("M\xE4rz 2017", {"Morgens den 01.03.2017 Z=07:30 s=140, d=90, "
                                                    "p=70, Gewicht=0"}));
    const ImportPreview preview = previewOf("Datum;Uhrzeit;Sys;Dia;Puls\r\n"
                                            "01.03.2017;07:30;140;90;70\r\n"
                                            "01.03.2017;20:00;130;85;65\r\n"
                                            "31.02.2017;20:00;130;85;65\r\n"
                                            "05.02.2017;20:00;330;85;65\r\n"
                                            "06.02.2017;20:00;130;85;65\r\n",
                                            gallery);
    const QList<ImportReport::MonthRow> rows =
        ImportReport::rows(preview.plan, preview.readings.faulty);
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).title, QStringLiteral("Februar 2017"));
    QCOMPARE(rows.at(0).added, 1);
    QCOMPARE(rows.at(0).faultyLines, QList<int>{5});
    QCOMPARE(rows.at(1).title, QStringLiteral("März 2017"));
    QCOMPARE(rows.at(1).added, 1);
    QCOMPARE(rows.at(1).present, 1);
    QCOMPARE(rows.at(2).title, QStringLiteral("ohne lesbares Datum"));
    QCOMPARE(rows.at(2).faultyLines, QList<int>{4});
    QCOMPARE(ImportReport::faultyLinesText(preview.readings.faulty),
             QStringLiteral("Zeile 4: Das Datum „31.02.2017“ ist kein Datum der Form TT.MM.JJJJ.\n"
                            "Zeile 5: Der systolische Wert „330“ ist keine ganze Zahl von 0 bis "
                            "280."));
    QCOMPARE(ImportReport::summary(preview.plan, preview.readings.faulty),
             QStringLiteral("2 Messungen übernommen, 1 schon vorhanden, 2 fehlerhafte Zeilen "
                            "(Zeile 4, 5)"));
}

void TestExchangeMerge::summaryCountsAtTheirLimits()
{
    GalleryMerge::Plan plan;
    GalleryMerge::MonthPlan month;
    month.added = 1;
    plan.months.append(month);
    QList<CsvImport::Faulty> faulty;
    QCOMPARE(ImportReport::summary(plan, faulty),
             QStringLiteral("1 Messung übernommen, 0 schon vorhanden, 0 fehlerhafte Zeilen"));
    plan.months[0].added = 123;
    plan.months[0].present = 4;
    plan.months[0].unplaced = 1;
    faulty = {{17, QString(), QDate()}};
    QCOMPARE(
        ImportReport::summary(plan, faulty),
        QStringLiteral("123 Messungen übernommen, 4 schon vorhanden, 1 ohne freien Platz "
                       "(alle vier Messungen des Tages belegt), 1 fehlerhafte Zeile (Zeile 17)"));
    plan.months[0].unplaced = 0;
    for (int line = 18; line < 27; ++line)
        faulty.append({line, QString(), QDate()});
    QVERIFY(ImportReport::summary(plan, faulty)
                .endsWith(QStringLiteral("10 fehlerhafte Zeilen (Zeile 17, 18, 19, 20, 21, 22, "
                                         "23, 24, 25, 26)")));
    faulty.append({40, QString(), QDate()});
    QVERIFY(ImportReport::summary(plan, faulty)
                .endsWith(QStringLiteral("11 fehlerhafte Zeilen (Zeile 17, 18, 19, 20, 21, 22, "
                                         "23, 24, 25, 26, …)")));
}

void TestExchangeMerge::nearestSlotOnATie()
{
    QCOMPARE(GalleryMerge::nearestSlot(QStringLiteral("10:15"), kTimes), Slot::Morning);
    QCOMPARE(GalleryMerge::nearestSlot(QStringLiteral("10:16"), kTimes), Slot::Second);
    QCOMPARE(GalleryMerge::nearestSlot(QStringLiteral("14:15"), kTimes), Slot::Second);
    QCOMPARE(GalleryMerge::nearestSlot(QStringLiteral("23:59"), kTimes), Slot::Evening);
}

QTEST_GUILESS_MAIN(TestExchangeMerge)
#include "tst_exchange_merge.moc"
