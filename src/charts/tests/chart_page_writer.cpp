// Writes chart pages of a few months, Chart.min.js beside them, and a manifest
// that says which canvases each page must show and which days have no
// readings, for the browser tests.
#include "charts/chart_page.h"

#include "base/conversion_error.h"
#include "base/text_file.h"
#include "stats/mean.h"
#include "storage/open_month.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

const char kInjectedName[] = "Anna <script>window.injected=1</script> & Co";

struct Day
{
    int day;
    const char *s, *d, *p;
};

ChartInputs month(const char *m, const char *y, const char *name, std::initializer_list<Day> days,
                  bool zeroGap, bool showValues)
{
    ChartInputs in;
    for (const Day &day : days) {
        in.dayMeans.setText(Quantity::Systolic, day.day, QLatin1String(day.s));
        in.dayMeans.setText(Quantity::Diastolic, day.day, QLatin1String(day.d));
        in.dayMeans.setText(Quantity::Pulse, day.day, QLatin1String(day.p));
    }
    in.openMonth = QLatin1String(m);
    in.openYear = QLatin1String(y);
    in.monthName = QString::fromUtf8(name);
    in.userName = QString::fromUtf8(kInjectedName);
    in.monthMeanSystolic = 136.29L;
    in.monthMeanDiastolic = 84.14L;
    in.monthMeanPulse = 70.86L;
    in.monthWeightMean = 80.75L;
    in.systolicColour = 16711680;
    in.diastolicColour = 32768;
    in.pulseColour = 128;
    in.zeroGap = zeroGap;
    in.showValues = showValues;
    return in;
}

// Per shown canvas: for each index of its data, whether that day has no reading.
QJsonObject emptyDays(const ChartInputs &in, bool bar)
{
    struct Group
    {
        const char *canvas;
        int first, last, length;
    };
    const QList<Group> groups = bar ? QList<Group>{{"diagramm1", 1, 7, 7},
                                                   {"diagramm2", 8, 14, 7},
                                                   {"diagramm3", 15, 21, 7},
                                                   {"diagramm4", 22, 28, 7},
                                                   {"diagramm5", 29, 31, 14}}
                                    : QList<Group>{{"diagramm1", 1, 14, 14},
                                                   {"diagramm2", 15, 28, 14},
                                                   {"diagramm3", 29, 31, 14}};
    QJsonObject result;
    for (const Group &g : groups) {
        QJsonArray flags;
        bool any = false;
        for (int i = 0; i < g.length; ++i) {
            const int day = g.first + i;
            const bool empty =
                day > g.last || in.dayMeans.text(Quantity::Systolic, day) == QLatin1String("0");
            any = any || !empty;
            flags.append(empty);
        }
        if (any)
            result.insert(QLatin1String(g.canvas), flags);
    }
    return result;
}

struct Page
{
    QString name;
    ChartInputs inputs;
    bool bar;
    int readingDays = -1; // days the page must draw, where a month file says
};

// A month file read as the main window reads it, and its chart inputs as the
// window's chart commands take them; nothing when its page is not built.
std::optional<ChartInputs> monthOfFile(const QString &path)
{
    OpenMonth month;
    const MonthFile::ReadResult read = month.startLoad(path);
    if (!read.lines)
        return std::nullopt;
    month.takeUserName(MonthFile::readHeader(*read.lines));
    month.takeEntryLines(*read.lines, [](const QString &) {});
    // A value that does not convert ends the statistics at its line: the
    // window tells it, and its pages would show only what came before.
    if (const std::optional<ConversionError> &failure = month.statistics().collectFailure()) {
        qWarning("%s: %s", qPrintable(path), qPrintable(failure->message()));
        return std::nullopt;
    }
    try {
        month.takeWeights();
    } catch (const ConversionError &error) {
        qWarning("%s", qPrintable(error.message()));
        return std::nullopt;
    }
    ChartInputs in;
    in.dayMeans = month.statistics().dayTable();
    const auto asShown = [](const std::optional<long double> &mean) {
        return mean ? std::optional<long double>(twoDecimalValue(*mean)) : std::nullopt;
    };
    const MonthMeans &means = month.statistics().monthMeans();
    in.monthMeanSystolic = asShown(means.systolicMean());
    in.monthMeanDiastolic = asShown(means.diastolicMean());
    in.monthMeanPulse = asShown(means.pulseMean());
    in.monthWeightMean = month.weightMean();
    in.openMonth = month.month();
    in.openYear = month.year();
    in.monthName = month.monthName();
    in.userName = month.userName();
    in.systolicColour = 16711680;
    in.diastolicColour = 32768;
    in.pulseColour = 128;
    return in;
}

// The text in UTF-16 after its byte-order mark, as an editor on Windows saves it.
QByteArray utf16WithMark(const QString &text, bool bigEndian)
{
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const auto high = char(c.unicode() >> 8);
        const auto low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low).append(bigEndian ? low : high);
    }
    return bytes;
}

// Month files from outside the program: saved as UTF-16 by an editor, and
// one changed by hand, with quotes, brackets and braces wherever a value or
// a date could carry them into the page's script.
std::optional<QList<Page>> pagesOfMonthFiles(const QString &folder)
{
    // A name with '/' is never taken from a file's header.
    const QString name = QString::fromUtf8("Anna <img src=x onerror=\"window.injected=1\"> Łukasz");
    const QString utf16Month =
        QStringLiteral("[Personendaten]\r\nBenutzerName=") + name +
        QString::fromUtf8("\r\nDatum=März 2024\r\n1M=1\r\n2M=1\r\n3M=1\r\n4M=1\r\n\r\n"
                          "Morgens den 04.03.2024 Z=07:30 s=131, d=84, p=66, Gewicht=80,5\r\n"
                          "Abends den 04.03.2024 Z=20:40 s=141, d=90, p=71, Gewicht=0\r\n"
                          "Morgens den 12.03.2024 Z=07:30 s=128, d=82, p=64, Gewicht=80,1\r\n"
                          "Abends den 19.03.2024 Z=20:40 s=150, d=95, p=80, Gewicht=0\r\n"
                          "Morgens den 30.03.2024 Z=07:30 s=125, d=80, p=60, Gewicht=79,8\r\n");
    const QString damaged = QString::fromUtf8(
        "[Personendaten]\r\nBenutzerName=Anna <img src=x onerror=window.injected=4> & Co\r\n"
        "Datum=M'rz }2024\r\n1M=1'}\r\n\r\n"
        "Morgens den 05.05.2023 Z=07:30'} s=128, d=80, p=64, Gewicht=80,5\r\n"
        "Abends den  05.05.2023 Z=20:40 s=140, d=90, p=70, Gewicht=0\r\n"
        "Messung2 den 9.05.2023 Z=13:00 s=120, d=75, p=60\r\n"
        "Morgens den 17.05.2023 Z=}]); s=135, d=85, p=72, Gewicht=0\r\n"
        "Morgens den 31.05.2023 Z=07:30 s=118, p=60\r\n"
        "Abends den 31.05.2023 Z='); s=122, d=78, p=66\r\n"
        "}); window.injected=3; ({\r\n");
    const struct
    {
        const char *name;
        QByteArray bytes;
        int readingDays;
    } files[] = {
        {"utf16le_mar2024", utf16WithMark(utf16Month, false), 4},
        {"utf16be_mar2024", utf16WithMark(utf16Month, true), 4},
        // The 5th, 17th and 31st; a one-digit day does not reach the day table.
        {"damaged_may2023", damaged.toLatin1(), 3},
    };
    QList<Page> pages;
    for (const auto &file : files) {
        const QString path =
            folder + QLatin1Char('/') + QLatin1String(file.name) + QStringLiteral(".tab");
        if (!TextFile::writeBytes(path, file.bytes))
            return std::nullopt;
        const std::optional<ChartInputs> in = monthOfFile(path);
        if (!in)
            return std::nullopt;
        for (const bool bar : {true, false}) {
            ChartInputs page = *in;
            page.zeroGap = bar;
            page.showValues = !bar;
            pages.append({(bar ? QStringLiteral("bar_") : QStringLiteral("line_")) +
                              QLatin1String(file.name),
                          page, bar, file.readingDays});
        }
    }
    return pages;
}

// The months the browser test opens, the first two with a remark.
QList<Page> pagesToWrite(const QString &remark)
{
    const std::initializer_list<Day> everyWeek{{2, "128", "84", "70"},  {5, "131", "86", "72"},
                                               {9, "142", "91", "75"},  {16, "150", "95", "80"},
                                               {23, "125", "80", "68"}, {29, "138", "88", "71"},
                                               {31, "100", "65", "60"}};
    QList<Page> pages{
        {QStringLiteral("bar_jan2020_gaps"), month("01", "2020", "Januar", everyWeek, true, true),
         true},
        {QStringLiteral("line_jan2020_gaps"), month("01", "2020", "Januar", everyWeek, true, true),
         false},
        {QStringLiteral("bar_jan2020_zeros"),
         month("01", "2020", "Januar", everyWeek, false, false), true},
        {QStringLiteral("line_apr2020_zeros"),
         month("04", "2020", "April",
               {{3, "190", "135", "90"}, {29, "185", "140", "95"}, {30, "180", "132", "88"}}, false,
               true),
         false},
        {QStringLiteral("bar_apr2020_gaps"),
         month("04", "2020", "April",
               {{3, "190", "135", "90"}, {29, "185", "140", "95"}, {30, "180", "132", "88"}}, true,
               false),
         true},
        {QStringLiteral("line_mar2021_week3"),
         month("03", "2021", "März", {{16, "165", "70", "80"}, {18, "165", "70", "78"}}, true,
               true),
         false},
        {QStringLiteral("bar_feb2021"),
         month("02", "2021", "Februar",
               {{1, "120", "80", "70"}, {20, "122", "78", "66"}, {28, "118", "76", "64"}}, true,
               true),
         true},
        {QStringLiteral("line_jan2017_empty"), month("01", "2017", "Januar", {}, true, true),
         false},
    };
    pages[0].inputs.remarkFilePath = remark;
    pages[1].inputs.remarkFilePath = remark;
    // Changes of the medication on the 3rd and the 15th; a name that tries
    // to end the script.
    Page marked{QStringLiteral("line_mar2026_medication"),
                month("03", "2026", "März", everyWeek, true, true), false};
    marked.inputs.medicationMarks = {
        {QDate(2026, 3, 3), QStringLiteral("Ramipril 5 mg")},
        {QDate(2026, 3, 15),
         QStringLiteral("Anna's </script><script>window.injected=6</script> 10 mg")}};
    pages.append(marked);
    return pages;
}

// Writes the pages and returns what the browser test checks on each, or
// nothing when a page could not be written.
std::optional<QJsonArray> writePages(const QString &folder, const QList<Page> &pages)
{
    QJsonArray manifest;
    for (const Page &page : pages) {
        QStringList lines;
        try {
            lines = page.bar ? buildBarPage(page.inputs) : buildLinePage(page.inputs);
        } catch (const ConversionError &error) {
            qWarning("%s: %s", qPrintable(page.name), qPrintable(error.message()));
            return std::nullopt;
        }
        const QString file = page.name + QStringLiteral(".html");
        QString error;
        if (!TextFile::writeLines(folder + QLatin1Char('/') + file, lines, &error)) {
            qWarning("%s", qPrintable(error));
            return std::nullopt;
        }
        const QJsonObject groups = emptyDays(page.inputs, page.bar);
        // The grade chart is there whenever a day group is.
        const qsizetype canvases = groups.isEmpty() && !page.bar ? 0 : groups.size() + 1;
        manifest.append(QJsonObject{
            {QStringLiteral("file"), file},
            {QStringLiteral("type"), page.bar ? QStringLiteral("bar") : QStringLiteral("line")},
            {QStringLiteral("zeroGap"), page.inputs.zeroGap},
            {QStringLiteral("canvases"), canvases},
            {QStringLiteral("title"), page.inputs.userName},
            {QStringLiteral("readingDays"), page.readingDays},
            {QStringLiteral("emptyDays"), groups},
            // Where a mark's line must stand: the chart and the label's index.
            {QStringLiteral("marks"), [&page] {
                 QJsonArray marks;
                 for (const DayLabel &mark : page.inputs.medicationMarks) {
                     const int day = mark.day.day();
                     const int chart = day <= 14 ? 1 : day <= 28 ? 2 : 3;
                     marks.append(QJsonObject{
                         {QStringLiteral("canvas"), QStringLiteral("diagramm%1").arg(chart)},
                         {QStringLiteral("index"), day - (chart - 1) * 14 - 1}});
                 }
                 return marks;
             }()}});
    }
    return manifest;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        qWarning("usage: chart_page_writer <folder>");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    QFile::remove(folder + QStringLiteral("/Chart.min.js"));
    if (!QFile::copy(QStringLiteral(VANTORIA_BUILD_CHART_SCRIPT),
                     folder + QStringLiteral("/Chart.min.js")))
        return 1;
    const QString remark = folder + QStringLiteral("/remark.txt");
    TextFile::writeLines(remark, {QStringLiteral("Wert < 120 & Puls > 80"),
                                  QStringLiteral("<script>window.injected=2</script>"),
                                  QStringLiteral("\tmit Tab")});
    const std::optional<QList<Page>> fromFiles = pagesOfMonthFiles(folder);
    if (!fromFiles)
        return 1;
    const std::optional<QJsonArray> manifest =
        writePages(folder, pagesToWrite(remark) + *fromFiles);
    if (!manifest)
        return 1;
    QFile out(folder + QStringLiteral("/manifest.json"));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(QJsonDocument(*manifest).toJson());
    return 0;
}
