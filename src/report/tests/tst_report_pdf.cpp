// The written PDF as a reader sees it: its text through pdftotext, its pages
// through pdfinfo, its colours through pdftoppm.
#include "base/text_file.h"
#include "journal/reading.h"
#include "report/gui/report_pdf.h"
#include "report/gui/write_report.h"
#include "report/report_content.h"
#include "report_fixture.h"
#include "storage/gallery.h"
#include "storage/medication_store.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning() << program << arguments << process.readAllStandardError();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The text of the pages, every run of blanks and line breaks made one blank,
// so that a sentence the page wrapped reads whole again.
QString pdfText(const QString &pdf, int page = 0)
{
    QStringList arguments{QStringLiteral("-layout")};
    if (page > 0)
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    const QString text = run(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-"));
    return text.simplified();
}

int pdfPages(const QString &pdf)
{
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)"))
                                              .match(run(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Keeps the PDFs for a person to look at when VANTORIA_REPORT_OUT names a folder.
void keep(const QString &pdf)
{
    const QString folder = qEnvironmentVariable("VANTORIA_REPORT_OUT");
    if (!folder.isEmpty()) {
        QFile::remove(folder + QLatin1Char('/') + QFileInfo(pdf).fileName());
        QFile::copy(pdf, folder + QLatin1Char('/') + QFileInfo(pdf).fileName());
    }
}

QByteArray monthFile(const char *datum, const QStringList &lines)
{
    QString text = QStringLiteral("[Personendaten]\r\nBenutzerName=Muster\r\nDatum=") +
                   QString::fromUtf8(datum) +
                   QStringLiteral("\r\n1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n");
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text.toLatin1();
}

// March 2026: a measuring week 03.03.–09.03. whose days 2 to 7 read 136/85
// in the morning and 140/87 in the evening (mean 138/86); day 1 reads 170/100.
void writeMarchWithWeek(const ReportGallery &g)
{
    QStringList lines;
    for (int day = 3; day <= 9; ++day) {
        const QDate date(2026, 3, day);
        const bool first = day == 3;
        lines << Reading::format(Slot::Morning, date, QStringLiteral("07:15"), first ? 170 : 136,
                                 first ? 100 : 85, 66, QStringLiteral("0"))
              << Reading::format(Slot::Evening, date, QStringLiteral("21:00"), first ? 170 : 140,
                                 first ? 100 : 87, 70, QStringLiteral("0"));
    }
    TempHome::writeFile(g.gallery + QStringLiteral("2026/Muster_03_2026.tab"),
                        monthFile("März 2026", lines));
    TempHome::writeFile(g.gallery + QStringLiteral("2026/Muster_03_2026.txt"),
                        QByteArray("Messwoche f\xfcr Dr. Beispiel\r\n"));
}

ReportRequest request(const ReportGallery &g, const QDate &first, const QDate &last)
{
    return {g.gallery, g.reports, QStringLiteral("Muster"), {first, last}, QDate(2026, 4, 2)};
}

const QString kTableTitle = QStringLiteral("Alle Messungen im Zeitraum");
const QString kTableHeader =
    QStringLiteral("Datum Wochentag Messung Uhrzeit Systolisch Diastolisch Puls Gewicht (kg)");
const QString kTableStart = kTableTitle + QLatin1Char(' ') + kTableHeader;
const QString kLastRemark = QStringLiteral("Januar 2024: Letzte Bemerkung");
const QRegularExpression kJanuaryRow(
    QStringLiteral("\\d\\d\\.01\\.2024 \\w+ (Morgens|Messung 2|Messung 3|Abends) \\d\\d:\\d\\d"));

// Muster's January 2024: 31 days of four readings each, no remarks.
ReportContent januaryOf2024(const ReportGallery &g)
{
    TempHome::writeFile(g.gallery + QStringLiteral("2024/Muster_01_2024.tab"),
                        TempHome::readFile(VANTORIA_TEST_DATA_DIR "/months/Muster_01_2024.tab"));
    const ReportPeriod january{QDate(2024, 1, 1), QDate(2024, 1, 1)};
    return buildReportContent(
        QStringLiteral("Muster"), january, QDate(2026, 4, 2),
        Gallery::readPeriod(g.gallery, QStringLiteral("Muster"), january.first, january.last));
}

// Gives the content remarks that leave between `rows` row heights more than
// the table's start needs and one row height above that, where the remarks
// end; false when no mix does. A long remark takes a line more than a short
// one, and a line is lower than a row, so mixing them reaches every band of a
// row's height once the remarks are a few.
bool remarksLeaving(ReportContent &content, int rows)
{
    const QString shortRemark = QStringLiteral("Januar 2024: Tabletten genommen");
    const QString longRemark =
        QStringLiteral("Januar 2024: Nach dem Treppensteigen gemessen, davor zehn Minuten Ruhe "
                       "im Sitzen, der Arm auf dem Tisch in Höhe des Herzens, die Manschette "
                       "am linken Oberarm");
    for (int count = 1; count <= 60; ++count) {
        for (int longOnes = 0; longOnes < count; ++longOnes) {
            content.remarks.clear();
            for (int i = 1; i < count; ++i)
                content.remarks << (i <= longOnes ? longRemark : shortRemark);
            content.remarks << kLastRemark;
            const ReadingsTableStart start = measureReadingsTableStart(content);
            const double least = start.needed + rows * start.rowHeight;
            if (start.spaceLeft >= least && start.spaceLeft < least + start.rowHeight)
                return true;
        }
    }
    return false;
}

QString render(const ReportGallery &g, const ReportContent &content, const QString &name)
{
    const QString pdf = g.home.root() + QLatin1Char('/') + name;
    TempHome::writeFile(pdf, renderReportPdf(content));
    keep(pdf);
    return pdf;
}

// The first page whose text holds `text`; 0 when none does.
int pageWith(const QString &pdf, const QString &text)
{
    const int pages = pdfPages(pdf);
    for (int page = 1; page <= pages; ++page) {
        if (pdfText(pdf, page).contains(text))
            return page;
    }
    return 0;
}

bool hasColour(const QImage &image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xFFFFFF) == (colour & 0xFFFFFF))
                return true;
        }
    }
    return false;
}

} // namespace

class TestReportPdf : public QObject
{
    Q_OBJECT

private slots:
    void firstPageAndReadingsOfAPeriod();
    void medicationSectionWithReadingsBeforeAndAfter();
    void longReadingsTableRunsOverPages();
    void monthWithoutReadingsIsOnePage();
    void gradeColoursAreDrawn();
    void failedWriteKeepsTheOlderReport();
    void folderInTheWayIsTold();
    void folderBelowAFileIsTold();
    void missingFoldersAboveAreMade();
    void tableFollowsOnAPageWithRoom();
    void tableFollowsWhenTitleAndFiveRowsJustFit();
    void tableStartsANewPageWhenOnlyFourRowsFit();
};

void TestReportPdf::firstPageAndReadingsOfAPeriod()
{
    ReportGallery g;
    writeMarchWithWeek(g);
    const QMap<QString, QByteArray> before = g.snapshot();
    const ReportOutcome outcome =
        writeDoctorsReport(request(g, QDate(2025, 12, 1), QDate(2026, 3, 1)));
    QCOMPARE(outcome.error, QString());
    QCOMPARE(outcome.path, g.reports + QStringLiteral("Muster_Bericht_12_2025-03_2026.pdf"));
    keep(outcome.path);
    QCOMPARE(g.snapshot(), before);
    QCOMPARE(pdfPages(outcome.path), 2);

    const QString first = pdfText(outcome.path, 1);
    for (const char *expected :
         {"Blutdruckbericht", "Name: Muster", "Zeitraum: Dezember 2025 bis März 2026",
          "Erstellt am 02.04.2026", "Alle Messungen 20 ", "Morgens 10 ", "Abends 9 ",
          "Messwoche 03.03.–09.03.2026: Mittelwert 138/86 mmHg aus 12 Messungen – über dem "
          "Grenzwert von 135/85 mmHg",
          "Dezember 2025 140/88 mmHg Grad 1 Hypertonie (leichter Bluthochdruck)",
          "Februar 2026 keine Messungen", "Januar 2026: 1 Eintrag nicht lesbar",
          "Dezember 2025: Neue Tabletten ab 30.12.", "März 2026: Messwoche für Dr. Beispiel",
          "Seite 1 von 2"})
        QVERIFY2(first.contains(QString::fromUtf8(expected)), expected);
    QVERIFY(!first.contains(QStringLiteral("Wochentag")));

    const QString second = pdfText(outcome.path, 2);
    QVERIFY(second.startsWith(QStringLiteral("Alle Messungen im Zeitraum Datum Wochentag Messung "
                                             "Uhrzeit Systolisch Diastolisch Puls Gewicht (kg)")));
    QVERIFY(second.contains(QStringLiteral("30.12.2025 Dienstag Morgens 07:00 140 90 70 82,0")));
    QVERIFY(second.contains(QStringLiteral("09.03.2026 Montag Abends 21:00 140 87 70")));
    QVERIFY(second.contains(QStringLiteral("Seite 2 von 2")));
    QVERIFY(!second.contains(QStringLiteral("Erika")));
}

void TestReportPdf::longReadingsTableRunsOverPages()
{
    ReportGallery g;
    // 31 days of four readings each.
    TempHome::writeFile(g.gallery + QStringLiteral("2024/Muster_01_2024.tab"),
                        TempHome::readFile(VANTORIA_TEST_DATA_DIR "/months/Muster_01_2024.tab"));
    const ReportOutcome outcome =
        writeDoctorsReport(request(g, QDate(2024, 1, 1), QDate(2024, 1, 1)));
    QCOMPARE(outcome.error, QString());
    keep(outcome.path);
    const int pages = pdfPages(outcome.path);
    QVERIFY2(pages >= 4, qPrintable(QString::number(pages)));
    int rows = 0;
    const QRegularExpression row(QStringLiteral("\\d\\d\\.01\\.2024 \\w+ (Morgens|Messung 2|"
                                                "Messung 3|Abends) \\d\\d:\\d\\d"));
    for (int page = 1; page <= pages; ++page) {
        const QString text = pdfText(outcome.path, page);
        QVERIFY(text.endsWith(QStringLiteral("Seite %1 von %2").arg(page).arg(pages)));
        const int onPage = int(text.count(row));
        // The table header stands above the rows of every page, at the very
        // top of the pages after the first.
        QCOMPARE(text.contains(kTableHeader), onPage > 0);
        if (page > 1)
            QVERIFY(text.startsWith(kTableHeader));
        rows += onPage;
    }
    QCOMPARE(rows, 124);
}

void TestReportPdf::monthWithoutReadingsIsOnePage()
{
    ReportGallery g;
    const ReportOutcome outcome =
        writeDoctorsReport(request(g, QDate(2026, 2, 1), QDate(2026, 2, 1)));
    QCOMPARE(pdfPages(outcome.path), 1);
    const QString text = pdfText(outcome.path);
    QVERIFY(text.contains(QStringLiteral("Keine Messungen im Zeitraum")));
    QVERIFY(text.contains(QStringLiteral("Keine vollständige Messwoche im Zeitraum")));
    QVERIFY(text.contains(QStringLiteral("Keine Bemerkungen im Zeitraum")));
    QVERIFY(text.endsWith(QStringLiteral("Seite 1 von 1")));
}

void TestReportPdf::gradeColoursAreDrawn()
{
    ReportGallery g;
    const auto firstPage = [&g](const QDate &month) {
        const ReportOutcome outcome = writeDoctorsReport(request(g, month, month));
        const QString prefix = g.home.root() + QStringLiteral("/page");
        run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-singlefile"),
             QStringLiteral("-png"), outcome.path, prefix});
        return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    };
    const QImage december = firstPage(QDate(2025, 12, 1)); // grade 1
    QVERIFY(!december.isNull());
    QVERIFY(hasColour(december, qRgb(0xFF, 0x92, 0x5F)));
    QVERIFY(!hasColour(december, qRgb(0xB5, 0xE5, 0x1D)));
    const QImage january = firstPage(QDate(2026, 1, 1)); // normal
    QVERIFY(hasColour(january, qRgb(0xB5, 0xE5, 0x1D)));
    QVERIFY(!hasColour(january, qRgb(0xFF, 0x92, 0x5F)));
}

void TestReportPdf::failedWriteKeepsTheOlderReport()
{
    ReportGallery g;
    const ReportRequest december = request(g, QDate(2025, 12, 1), QDate(2025, 12, 1));
    const ReportOutcome first = writeDoctorsReport(december);
    const QByteArray older = TempHome::readFile(first.path);
    QVERIFY(older.startsWith("%PDF"));
    TextFile::setWriteFaultForTesting([](const QString &) { return false; });
    const ReportOutcome failed = writeDoctorsReport(december);
    TextFile::setWriteFaultForTesting({});
    QCOMPARE(failed.error, QStringLiteral("Der Bericht konnte nicht gespeichert werden:\r\n") +
                               first.path +
                               QStringLiteral("\r\nAuf dem Datenträger ist nicht genügend "
                                              "Speicherplatz."));
    QCOMPARE(TempHome::readFile(first.path), older);
    QCOMPARE(QDir(g.reports).entryList(QDir::Files), QStringList{QFileInfo(first.path).fileName()});
}

void TestReportPdf::folderInTheWayIsTold()
{
    ReportGallery g;
    const QString inTheWay = g.home.workFolder() + QStringLiteral("Blutdruck-Arztberichte");
    TempHome::writeFile(inTheWay, "Datei");
    const ReportOutcome outcome =
        writeDoctorsReport(request(g, QDate(2025, 12, 1), QDate(2025, 12, 1)));
    QCOMPARE(outcome.error, QStringLiteral("Der Ordner „") + inTheWay +
                                QStringLiteral("“ für die Arztberichte konnte nicht angelegt "
                                               "werden: An dieser Stelle liegt bereits eine Datei "
                                               "mit demselben Namen."));
    QCOMPARE(TempHome::readFile(inTheWay), QByteArray("Datei"));
}

void TestReportPdf::folderBelowAFileIsTold()
{
    ReportGallery g;
    const QString file = g.home.root() + QStringLiteral("/Ablage");
    TempHome::writeFile(file, "Datei");
    ReportRequest below = request(g, QDate(2025, 12, 1), QDate(2025, 12, 1));
    below.reportFolder = file + QStringLiteral("/Berichte/Blutdruck-Arztberichte/");
    const QMap<QString, QByteArray> before = g.snapshot();
    const ReportOutcome outcome = writeDoctorsReport(below);
    QCOMPARE(outcome.error, QStringLiteral("Der Ordner „") + below.reportFolder.chopped(1) +
                                QStringLiteral("“ für die Arztberichte konnte nicht angelegt "
                                               "werden: „") +
                                file + QStringLiteral("“ ist eine Datei und kein Ordner."));
    QCOMPARE(TempHome::readFile(file), QByteArray("Datei"));
    QCOMPARE(g.snapshot(), before);
}

void TestReportPdf::missingFoldersAboveAreMade()
{
    ReportGallery g;
    ReportRequest deep = request(g, QDate(2025, 12, 1), QDate(2025, 12, 1));
    deep.reportFolder = g.home.root() + QStringLiteral("/neu/tiefer/Blutdruck-Arztberichte/");
    const ReportOutcome outcome = writeDoctorsReport(deep);
    QCOMPARE(outcome.error, QString());
    QCOMPARE(outcome.path,
             deep.reportFolder + QStringLiteral("Muster_Bericht_12_2025-12_2025.pdf"));
    QVERIFY(TempHome::readFile(outcome.path).startsWith("%PDF"));
}

void TestReportPdf::tableFollowsOnAPageWithRoom()
{
    // December holds three readings and one remark: page 1 has room for all.
    ReportGallery g;
    const ReportOutcome outcome =
        writeDoctorsReport(request(g, QDate(2025, 12, 1), QDate(2025, 12, 1)));
    keep(outcome.path);
    QCOMPARE(pdfPages(outcome.path), 1);
    const QString text = pdfText(outcome.path);
    QVERIFY(
        text.contains(QStringLiteral("Dezember 2025: Neue Tabletten ab 30.12. ") + kTableStart));
    QVERIFY(text.contains(QStringLiteral("30.12.2025 Dienstag Morgens 07:00 140 90 70 82,0")));
    QVERIFY(text.endsWith(QStringLiteral("Seite 1 von 1")));
}

void TestReportPdf::tableFollowsWhenTitleAndFiveRowsJustFit()
{
    ReportGallery g;
    ReportContent content = januaryOf2024(g);
    // Room for the title, the header and five rows, not for a sixth.
    QVERIFY(remarksLeaving(content, 0));
    const QString pdf = render(g, content, QStringLiteral("fuenf.pdf"));
    const int page = pageWith(pdf, kLastRemark);
    QVERIFY(page > 0);
    const QString text = pdfText(pdf, page);
    QVERIFY(text.contains(kLastRemark + QLatin1Char(' ') + kTableStart));
    QCOMPARE(text.count(kJanuaryRow), 5);
    const QString next = pdfText(pdf, page + 1);
    QVERIFY(next.startsWith(kTableHeader));
    QVERIFY(!next.contains(kTableTitle));
    QVERIFY(next.contains(QStringLiteral("02.01.2024 Dienstag Messung 2")));
}

void TestReportPdf::tableStartsANewPageWhenOnlyFourRowsFit()
{
    ReportGallery g;
    ReportContent content = januaryOf2024(g);
    // A row's height short of the title, the header and five rows.
    QVERIFY(remarksLeaving(content, -1));
    const QString pdf = render(g, content, QStringLiteral("vier.pdf"));
    const int page = pageWith(pdf, kLastRemark);
    QVERIFY(page > 0);
    const QString text = pdfText(pdf, page);
    QVERIFY(!text.contains(kTableTitle));
    QCOMPARE(text.count(kJanuaryRow), 0);
    QVERIFY(pdfText(pdf, page + 1).startsWith(kTableStart));
}

// February 2026: 150/95 every morning from the 15th; March as above. Ramipril
// starts on 03.03. (before: 17.02.–02.03., after: 03.03.–16.03.); Bisoprolol's
// last day is 05.03. (before: 20.02.–05.03., after: 06.03.–19.03.).
void TestReportPdf::medicationSectionWithReadingsBeforeAndAfter()
{
    ReportGallery g;
    writeMarchWithWeek(g);
    QStringList february;
    for (int day = 15; day <= 28; ++day)
        february << Reading::format(Slot::Morning, QDate(2026, 2, day), QStringLiteral("07:00"),
                                    150, 95, 70, QStringLiteral("0"));
    TempHome::writeFile(g.gallery + QStringLiteral("2026/Muster_02_2026.tab"),
                        monthFile("Februar 2026", february));
    const auto text = [&g] {
        const ReportOutcome outcome =
            writeDoctorsReport(request(g, QDate(2026, 2, 1), QDate(2026, 3, 1)));
        keep(outcome.path);
        return pdfText(outcome.path);
    };
    const QString heading = QStringLiteral("Medikamente im Zeitraum");
    const QString without = text();
    QVERIFY(!without.contains(heading));

    // Entries outside the period leave the report as it was.
    const QString file = MedicationStore::filePath(g.gallery, QStringLiteral("Muster"));
    TempHome::writeFile(file, "Vantoria-Medikamentenplan 1\r\n"
                              "ASS\t100 mg\t0-1-0\t01.01.2025\t31.01.2026\t\r\n"
                              "Torasemid\t10 mg\t1-0-0\t01.04.2026\t\t\r\n");
    QCOMPARE(text(), without);

    TempHome::writeFile(file, "Vantoria-Medikamentenplan 1\r\n"
                              "ASS\t100 mg\t0-1-0\t01.01.2025\t31.01.2026\t\r\n"
                              "Ramipril\t5 mg\t1-0-1\t03.03.2026\t\tzum Fr\xfc"
                              "hst\xfc"
                              "ck\r\n"
                              "Bisoprolol\t2,5 mg\t1-0-0\t01.01.2026\t05.03.2026\t\r\n");
    const QString with = text();
    for (const QString &expected : {
             heading,
             QStringLiteral("Ramipril 5 mg, 1-0-1, seit 03.03.2026 (zum Frühstück)"),
             QStringLiteral("Bisoprolol 2,5 mg, 1-0-0, vom 01.01.2026 bis 05.03.2026"),
             QStringLiteral("Ramipril 5 mg ab 03.03.2026: vorher 150/95 mmHg (12 Messungen), "
                            "nachher 143/88 mmHg (14 Messungen)"),
             QStringLiteral("Bisoprolol 2,5 mg bis 05.03.2026: vorher 149/93 mmHg (15 "
                            "Messungen), nachher 138/86 mmHg (8 Messungen)"),
         })
        QVERIFY2(with.contains(expected), qPrintable(expected + QStringLiteral("\n") + with));
    QVERIFY(!with.contains(QStringLiteral("ASS 100 mg")));
    // Bisoprolol's figures come after Ramipril's: its change is later.
    QVERIFY(with.indexOf(QStringLiteral("Ramipril 5 mg ab")) <
            with.indexOf(QStringLiteral("Bisoprolol 2,5 mg bis")));
}

QTEST_MAIN(TestReportPdf)
#include "tst_report_pdf.moc"
