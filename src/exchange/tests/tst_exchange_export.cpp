// The export files: the CSV byte for byte as spreadsheets with German
// settings read it, the FHIR bundle with its codes, units, profiles and
// times, and the months of each period.
#include "exchange/csv_export.h"
#include "exchange/export_period.h"
#include "exchange/fhir_export.h"
#include "storage/gallery.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

Reading reading(const char *line)
{
    return *Reading::parse(QString::fromUtf8(line));
}

const QList<Reading> kReadings = {
    reading("Abends den 01.03.2017 Z=20:40 s=135, d=85, p=66, Gewicht=0"),
    reading("Morgens den 01.03.2017 Z=07:30 s=140, d=90, p=70, Gewicht=70,5"),
    reading("Morgens den 02.07.2017 Z=07:15 s=128, d=80, p=0, Gewicht=71"),
};

QJsonObject resourceAt(const QJsonArray &entries, int index)
{
    return entries.at(index).toObject().value(QStringLiteral("resource")).toObject();
}

QString codeOf(const QJsonObject &codeable)
{
    const QJsonObject coding = codeable.value(QStringLiteral("coding")).toArray().at(0).toObject();
    return coding.value(QStringLiteral("system")).toString() + u'|' +
           coding.value(QStringLiteral("code")).toString();
}

QString quantityOf(const QJsonObject &quantity)
{
    return QStringLiteral("%1 %2 %3|%4")
        .arg(quantity.value(QStringLiteral("value")).toDouble())
        .arg(quantity.value(QStringLiteral("unit")).toString(),
             quantity.value(QStringLiteral("system")).toString(),
             quantity.value(QStringLiteral("code")).toString());
}

// FHIR's own pattern of a dateTime: a time only with seconds and an offset,
// hours no further than 23.
bool isFhirDateTime(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^([0-9]([0-9]([0-9][1-9]|[1-9]0)|[1-9]00)|[1-9]000)(-(0[1-9]|1[0-2])(-(0[1-9]|[1-2][0-9]|"
        "3[0-1])(T([01][0-9]|2[0-3]):[0-5][0-9]:([0-5][0-9]|60)(\\.[0-9]+)?(Z|(\\+|-)((0[0-9]|1[0-"
        "3]):[0-5][0-9]|14:00)))?)?)?$"));
    return pattern.match(text).hasMatch();
}

} // namespace

class TestExchangeExport : public QObject
{
    Q_OBJECT

private slots:
    void csvBytes();
    void csvQuotesOddTimes();
    void fhirBundleShape();
    void fhirObservations();
    void fhirTimesCarryTheirOffset();
    void fhirEndOfDayIsTheNextMidnight_data();
    void fhirEndOfDayIsTheNextMidnight();
    void fhirTimesNoClockShows();
    void fhirBundleOfDayEnds();
    void periods();
    void medicationCsv();
    void fhirMedicationStatus();
};

void TestExchangeExport::csvBytes()
{
    const QByteArray expected =
        "\xEF\xBB\xBF"
        "Datum;Wochentag;Messung;Uhrzeit;Systolisch (mmHg);Diastolisch (mmHg);Puls (1/min);"
        "Gewicht (kg)\r\n"
        "01.03.2017;Mittwoch;Morgens;07:30;140;90;70;70,5\r\n"
        "01.03.2017;Mittwoch;Abends;20:40;135;85;66;\r\n"
        "02.07.2017;Sonntag;Morgens;07:15;128;80;0;71\r\n";
    QCOMPARE(CsvExport::bytes(kReadings), expected);
    QCOMPARE(CsvExport::bytes({}), expected.left(expected.indexOf("\r\n") + 2));
}

void TestExchangeExport::csvQuotesOddTimes()
{
    // The time field takes any text; a hand-edited file may hold anything.
    QList<Reading> odd = {reading("Messung2 den 05.03.2017 Z=13;00 s=128, d=80, p=64, Gewicht=0"),
                          reading("Messung3 den 05.03.2017 Z=\"15\" s=128, d=80, p=64, Gewicht=0")};
    const QString text = QString::fromUtf8(CsvExport::bytes(odd)).section(u'\n', 1);
    QCOMPARE(text, QStringLiteral("05.03.2017;Sonntag;Messung 2;\"13;00\";128;80;64;\r\n"
                                  "05.03.2017;Sonntag;Messung 3;\"\"\"15\"\"\";128;80;64;\r\n"));
}

void TestExchangeExport::fhirBundleShape()
{
    const QJsonDocument document = QJsonDocument::fromJson(
        FhirExport::bundle(kReadings, QStringLiteral("Muster"), QTimeZone("Europe/Berlin")));
    const QJsonObject bundle = document.object();
    QCOMPARE(bundle.value(QStringLiteral("resourceType")).toString(), QStringLiteral("Bundle"));
    QCOMPARE(bundle.value(QStringLiteral("type")).toString(), QStringLiteral("collection"));
    const QJsonArray entries = bundle.value(QStringLiteral("entry")).toArray();
    // The patient; three pressures; two pulses (one was 0); two weights.
    QCOMPARE(entries.size(), 8);
    const QJsonObject patient = resourceAt(entries, 0);
    QCOMPARE(patient.value(QStringLiteral("resourceType")).toString(), QStringLiteral("Patient"));
    QCOMPARE(patient.value(QStringLiteral("name")).toArray().at(0).toObject().value("text"),
             QJsonValue(QStringLiteral("Muster")));
    const QString patientUrl = entries.at(0).toObject().value(QStringLiteral("fullUrl")).toString();
    QSet<QString> urls;
    for (const QJsonValue &entry : entries) {
        const QString url = entry.toObject().value(QStringLiteral("fullUrl")).toString();
        QVERIFY2(url.startsWith(QStringLiteral("urn:uuid:")) && url.size() == 45, qPrintable(url));
        urls.insert(url);
        const QJsonObject resource = entry.toObject().value(QStringLiteral("resource")).toObject();
        if (resource.value(QStringLiteral("resourceType")) !=
            QJsonValue(QStringLiteral("Observation")))
            continue;
        QCOMPARE(resource.value(QStringLiteral("status")).toString(), QStringLiteral("final"));
        QCOMPARE(codeOf(resource.value(QStringLiteral("category")).toArray().at(0).toObject()),
                 QStringLiteral("http://terminology.hl7.org/CodeSystem/observation-category|"
                                "vital-signs"));
        QCOMPARE(resource.value(QStringLiteral("subject")).toObject().value("reference").toString(),
                 patientUrl);
    }
    QCOMPARE(urls.size(), entries.size());
    // The same readings give the same file.
    QCOMPARE(FhirExport::bundle(kReadings, QStringLiteral("Muster"), QTimeZone("Europe/Berlin")),
             document.toJson(QJsonDocument::Indented));
}

void TestExchangeExport::fhirObservations()
{
    const QJsonArray entries =
        QJsonDocument::fromJson(
            FhirExport::bundle(kReadings, QStringLiteral("Muster"), QTimeZone("Europe/Berlin")))
            .object()
            .value(QStringLiteral("entry"))
            .toArray();
    // Date and slot order: the morning of 1 March comes first.
    const QJsonObject pressure = resourceAt(entries, 1);
    QCOMPARE(codeOf(pressure.value(QStringLiteral("code")).toObject()),
             QStringLiteral("http://loinc.org|85354-9"));
    QCOMPARE(pressure.value(QStringLiteral("meta")).toObject().value("profile").toArray().at(0),
             QJsonValue(QStringLiteral("http://hl7.org/fhir/StructureDefinition/bp")));
    const QJsonArray components = pressure.value(QStringLiteral("component")).toArray();
    QCOMPARE(components.size(), 2);
    QStringList parts;
    for (const QJsonValue &component : components)
        parts << codeOf(component.toObject().value(QStringLiteral("code")).toObject()) + u' ' +
                     quantityOf(
                         component.toObject().value(QStringLiteral("valueQuantity")).toObject());
    QCOMPARE(parts,
             (QStringList{"http://loinc.org|8480-6 140 mmHg http://unitsofmeasure.org|mm[Hg]",
                          "http://loinc.org|8462-4 90 mmHg http://unitsofmeasure.org|mm[Hg]"}));
    QVERIFY(!pressure.contains(QStringLiteral("valueQuantity")));

    const QJsonObject heart = resourceAt(entries, 2);
    QCOMPARE(codeOf(heart.value(QStringLiteral("code")).toObject()),
             QStringLiteral("http://loinc.org|8867-4"));
    QCOMPARE(quantityOf(heart.value(QStringLiteral("valueQuantity")).toObject()),
             QStringLiteral("70 /min http://unitsofmeasure.org|/min"));
    const QJsonObject weight = resourceAt(entries, 3);
    QCOMPARE(codeOf(weight.value(QStringLiteral("code")).toObject()),
             QStringLiteral("http://loinc.org|29463-7"));
    QCOMPARE(quantityOf(weight.value(QStringLiteral("valueQuantity")).toObject()),
             QStringLiteral("70.5 kg http://unitsofmeasure.org|kg"));
    QCOMPARE(weight.value(QStringLiteral("meta")).toObject().value("profile").toArray().at(0),
             QJsonValue(QStringLiteral("http://hl7.org/fhir/StructureDefinition/bodyweight")));
    // The evening: pressure and pulse, no weight ("Gewicht=0").
    QCOMPARE(codeOf(resourceAt(entries, 4).value(QStringLiteral("code")).toObject()),
             QStringLiteral("http://loinc.org|85354-9"));
    QCOMPARE(codeOf(resourceAt(entries, 5).value(QStringLiteral("code")).toObject()),
             QStringLiteral("http://loinc.org|8867-4"));
    // July: pressure and weight; its pulse of 0 was never measured.
    QCOMPARE(codeOf(resourceAt(entries, 7).value(QStringLiteral("code")).toObject()),
             QStringLiteral("http://loinc.org|29463-7"));
}

void TestExchangeExport::fhirTimesCarryTheirOffset()
{
    const QTimeZone berlin("Europe/Berlin");
    QVERIFY(berlin.isValid());
    const auto at = [&](const char *line, const QTimeZone &zone) {
        return FhirExport::effectiveDateTime(reading(line), zone);
    };
    QCOMPARE(at("Morgens den 01.03.2017 Z=07:30 s=1, d=1, p=1, Gewicht=0", berlin),
             QStringLiteral("2017-03-01T07:30:00+01:00"));
    QCOMPARE(at("Morgens den 02.07.2017 Z=07:15 s=1, d=1, p=1, Gewicht=0", berlin),
             QStringLiteral("2017-07-02T07:15:00+02:00"));
    // Summer time begins at 2:00 on 26 March 2017.
    QCOMPARE(at("Morgens den 26.03.2017 Z=01:59 s=1, d=1, p=1, Gewicht=0", berlin),
             QStringLiteral("2017-03-26T01:59:00+01:00"));
    QCOMPARE(at("Morgens den 26.03.2017 Z=03:00 s=1, d=1, p=1, Gewicht=0", berlin),
             QStringLiteral("2017-03-26T03:00:00+02:00"));
    QCOMPARE(
        at("Abends den 01.03.2017 Z=20:40 s=1, d=1, p=1, Gewicht=0", QTimeZone("America/New_York")),
        QStringLiteral("2017-03-01T20:40:00-05:00"));
    QCOMPARE(at("Abends den 01.03.2017 Z=7:05 s=1, d=1, p=1, Gewicht=0", berlin),
             QStringLiteral("2017-03-01T07:05:00+01:00"));
    // A time that is none gives the day alone, which FHIR allows.
    QCOMPARE(at("Abends den 01.03.2017 Z=abends s=1, d=1, p=1, Gewicht=0", berlin),
             QStringLiteral("2017-03-01"));
}

void TestExchangeExport::fhirEndOfDayIsTheNextMidnight_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *date, const char *time, const char *expected) {
        QTest::addRow("%s %s", date, time)
            << QStringLiteral("Abends den %1 Z=%2 s=1, d=1, p=1, Gewicht=0")
                   .arg(QLatin1String(date), QLatin1String(time))
            << QString::fromLatin1(expected);
    };
    row("01.03.2026", "00:00", "2026-03-01T00:00:00+01:00");
    row("01.03.2026", "23:59", "2026-03-01T23:59:00+01:00");
    row("01.03.2026", "24:00", "2026-03-02T00:00:00+01:00");
    // The last day of a month and of a year.
    row("31.03.2026", "24:00", "2026-04-01T00:00:00+02:00");
    row("31.12.2026", "24:00", "2027-01-01T00:00:00+01:00");
    row("28.02.2026", "24:00", "2026-03-01T00:00:00+01:00");
    row("28.02.2028", "24:00", "2028-02-29T00:00:00+01:00");
    // Summer time begins at 2:00 on 29 March 2026 and ends at 3:00 on
    // 25 October: the midnights before both still have the old offset.
    row("28.03.2026", "24:00", "2026-03-29T00:00:00+01:00");
    row("29.03.2026", "01:59", "2026-03-29T01:59:00+01:00");
    row("29.03.2026", "03:00", "2026-03-29T03:00:00+02:00");
    row("29.03.2026", "24:00", "2026-03-30T00:00:00+02:00");
    row("24.10.2026", "24:00", "2026-10-25T00:00:00+02:00");
    row("25.10.2026", "01:59", "2026-10-25T01:59:00+02:00");
    row("25.10.2026", "03:00", "2026-10-25T03:00:00+01:00");
    row("25.10.2026", "24:00", "2026-10-26T00:00:00+01:00");
}

void TestExchangeExport::fhirEndOfDayIsTheNextMidnight()
{
    QFETCH(QString, line);
    QFETCH(QString, expected);
    const QString written =
        FhirExport::effectiveDateTime(*Reading::parse(line), QTimeZone("Europe/Berlin"));
    QCOMPARE(written, expected);
    QVERIFY(isFhirDateTime(written));
}

void TestExchangeExport::fhirTimesNoClockShows()
{
    const QTimeZone berlin("Europe/Berlin");
    const Reading evening = reading("Abends den 29.03.2026 Z=20:40 s=1, d=1, p=1, Gewicht=0");
    const auto at = [&](const QString &time) {
        Reading odd = evening;
        odd.time = time;
        return FhirExport::effectiveDateTime(odd, berlin);
    };
    // Only 24:00 stands for a moment of the next day; a time past it, or one
    // that is none, gives the day alone.
    for (const char *time : {"24:01", "24:60", "25:00", "23:60", "7:5", "24", "24:00:00", ""}) {
        QCOMPARE(at(QLatin1String(time)), QStringLiteral("2026-03-29"));
        QVERIFY(isFhirDateTime(at(QLatin1String(time))));
    }
    QCOMPARE(at(QStringLiteral(" 24:00 ")), QStringLiteral("2026-03-30T00:00:00+02:00"));
    // The clocks skipped 2:30 that night; one not yet put forward showed it
    // an hour after 1:30 winter time.
    QCOMPARE(at(QStringLiteral("02:30")), QStringLiteral("2026-03-29T02:30:00+01:00"));
    QCOMPARE(at(QStringLiteral("01:59")), QStringLiteral("2026-03-29T01:59:00+01:00"));
    QCOMPARE(FhirExport::effectiveDateTime(
                 reading("Morgens den 08.03.2026 Z=02:30 s=1, d=1, p=1, Gewicht=0"),
                 QTimeZone("America/New_York")),
             QStringLiteral("2026-03-08T02:30:00-05:00"));
}

void TestExchangeExport::fhirBundleOfDayEnds()
{
    const QList<Reading> readings = Gallery::readingsOf(
        Gallery::readPeriod(QStringLiteral(VANTORIA_TEST_DATA_DIR "/exchange/day_ends/"),
                            QStringLiteral("Muster"), QDate(2026, 3, 1), QDate(2026, 12, 1)));
    QCOMPARE(readings.size(), 16);
    const QJsonArray entries =
        QJsonDocument::fromJson(
            FhirExport::bundle(readings, QStringLiteral("Muster"), QTimeZone("Europe/Berlin")))
            .object()
            .value(QStringLiteral("entry"))
            .toArray();
    QStringList pressures;
    for (const QJsonValue &entry : entries) {
        const QJsonObject resource = entry.toObject().value(QStringLiteral("resource")).toObject();
        if (resource.value(QStringLiteral("resourceType")).toString() !=
            QLatin1String("Observation"))
            continue;
        const QString time = resource.value(QStringLiteral("effectiveDateTime")).toString();
        QVERIFY2(isFhirDateTime(time), qPrintable(time));
        if (codeOf(resource.value(QStringLiteral("code")).toObject()).endsWith(u"|85354-9"))
            pressures.append(time);
    }
    QCOMPARE(pressures, (QStringList{"2026-03-01T00:00:00+01:00", "2026-03-01T23:59:00+01:00",
                                     "2026-03-02T00:00:00+01:00", "2026-03-29T00:00:00+01:00",
                                     "2026-03-29T01:59:00+01:00", "2026-03-29T03:00:00+02:00",
                                     "2026-03-30T00:00:00+02:00", "2026-04-01T00:00:00+02:00",
                                     "2026-10-25T00:00:00+02:00", "2026-10-25T01:59:00+02:00",
                                     "2026-10-25T03:00:00+01:00", "2026-10-26T00:00:00+01:00",
                                     "2026-11-01T00:00:00+01:00", "2026-12-31T00:00:00+01:00",
                                     "2026-12-31T23:59:00+01:00", "2027-01-01T00:00:00+01:00"}));
    // Every observation of a reading has its time: 16 pressures, 16 pulses, 3 weights.
    QCOMPARE(entries.size(), 1 + 16 + 16 + 3);
}

void TestExchangeExport::periods()
{
    using Kind = PeriodChoice::Kind;
    const QDate today(2017, 2, 15);
    const QDate open(2016, 11, 30);
    const auto choose = [&](Kind kind, const QDate &from = {}, const QDate &to = {}) {
        return PeriodChoice::resolve(kind, ExportPeriod::kRules, open, today, from, to);
    };
    const auto months = [&](Kind kind, const QDate &from = {}, const QDate &to = {}) {
        return describeMonths(choose(kind, from, to));
    };
    QCOMPARE(months(Kind::OpenMonth), QStringLiteral("November 2016"));
    QCOMPARE(months(Kind::LastThreeMonths), QStringLiteral("Dezember 2016 bis Februar 2017"));
    QCOMPARE(months(Kind::LastTwelveMonths), QStringLiteral("März 2016 bis Februar 2017"));
    QCOMPARE(months(Kind::Range, QDate(2017, 5, 31), QDate(2017, 3, 1)),
             QStringLiteral("März 2017 bis Mai 2017"));
    const MonthRange range = choose(Kind::Range, QDate(2017, 1, 31), QDate(2017, 3, 2));
    QCOMPARE(range.first, QDate(2017, 1, 1));
    QCOMPARE(range.last, QDate(2017, 3, 1));
    QCOMPARE(
        ExportPeriod::suggestedFileName(QStringLiteral("Muster"), range, ExportPeriod::Format::Csv),
        QStringLiteral("Blutdruck_Muster_2017-01_bis_2017-03.csv"));
    QCOMPARE(ExportPeriod::suggestedFileName(QStringLiteral("Muster"), choose(Kind::OpenMonth),
                                             ExportPeriod::Format::Fhir),
             QStringLiteral("Blutdruck_Muster_2016-11.json"));
}

void TestExchangeExport::medicationCsv()
{
    const QList<Medication> medications{
        {QStringLiteral("Ramipril"), QStringLiteral("5 mg"), QStringLiteral("1-0-1"),
         QDate(2026, 3, 3), QDate(2026, 3, 31), QStringLiteral("zum Essen; nicht nüchtern")},
        {QStringLiteral("ASS"), QStringLiteral("100 mg"), QString(), QDate(2026, 1, 1),
         std::nullopt, QString()},
    };
    QCOMPARE(CsvExport::medicationBytes(medications),
             QByteArray("\xEF\xBB\xBF") +
                 QStringLiteral("Medikament;Stärke;Einnahme;Erster Tag;Letzter Tag;Notiz\r\n"
                                "Ramipril;5 mg;1-0-1;03.03.2026;31.03.2026;\"zum Essen; nicht "
                                "nüchtern\"\r\n"
                                "ASS;100 mg;;01.01.2026;;\r\n")
                     .toUtf8());
    QCOMPARE(ExportPeriod::medicationFileName(QStringLiteral("Muster"),
                                              {QDate(2017, 1, 1), QDate(2017, 3, 1)}),
             QStringLiteral("Muster_Medikamente_2017-01_bis_2017-03.csv"));
    QCOMPARE(ExportPeriod::medicationFileName(QStringLiteral("Muster"),
                                              {QDate(2017, 3, 1), QDate(2017, 3, 1)}),
             QStringLiteral("Muster_Medikamente_2017-03.csv"));
}

// Completed only once the last day lies before today; no medications leave
// the bundle as it always was.
void TestExchangeExport::fhirMedicationStatus()
{
    const QList<Reading> readings{*Reading::parse(
        QStringLiteral("Morgens den 03.03.2026 Z=07:30 s=148, d=92, p=71, Gewicht=0"))};
    const QTimeZone zone(QByteArrayLiteral("Europe/Berlin"));
    QCOMPARE(FhirExport::bundle(readings, QStringLiteral("Muster"), zone, {}, QDate(2026, 4, 1)),
             FhirExport::bundle(readings, QStringLiteral("Muster"), zone));
    const Medication ending{QStringLiteral("Ramipril"), QStringLiteral("5 mg"),
                            QStringLiteral("1-0-1"),    QDate(2026, 3, 3),
                            QDate(2026, 3, 31),         QString()};
    const auto status = [&](const QDate &today) {
        const QJsonArray entries =
            QJsonDocument::fromJson(
                FhirExport::bundle(readings, QStringLiteral("Muster"), zone, {ending}, today))
                .object()
                .value(QStringLiteral("entry"))
                .toArray();
        const QJsonObject last =
            entries.last().toObject().value(QStringLiteral("resource")).toObject();
        return last.value(QStringLiteral("resourceType")).toString() + QLatin1Char(' ') +
               last.value(QStringLiteral("status")).toString();
    };
    QCOMPARE(status(QDate(2026, 3, 31)), QStringLiteral("MedicationStatement active"));
    QCOMPARE(status(QDate(2026, 4, 1)), QStringLiteral("MedicationStatement completed"));
}

QTEST_GUILESS_MAIN(TestExchangeExport)
#include "tst_exchange_export.moc"
