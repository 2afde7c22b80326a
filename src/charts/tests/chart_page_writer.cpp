// Writes chart pages of a few months, Chart.min.js beside them, and a manifest
// that says which canvases each page must show and which days have no
// readings, for the browser tests.
#include "base/text_file.h"
#include "charts/chart_page.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace {

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
    in.userName = QStringLiteral("Anna <script>window.injected=1</script> & Co");
    in.monthMeanSystolic = QStringLiteral("136,29");
    in.monthMeanDiastolic = QStringLiteral("84,14");
    in.monthMeanPulse = QStringLiteral("70,86");
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
};

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
    return pages;
}

// Writes the pages and returns what the browser test checks on each, or
// nothing when a page could not be written.
std::optional<QJsonArray> writePages(const QString &folder, const QList<Page> &pages)
{
    QJsonArray manifest;
    for (const Page &page : pages) {
        const QStringList lines = page.bar ? buildBarPage(page.inputs) : buildLinePage(page.inputs);
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
            {QStringLiteral("emptyDays"), groups}});
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
    const std::optional<QJsonArray> manifest = writePages(folder, pagesToWrite(remark));
    if (!manifest)
        return 1;
    QFile out(folder + QStringLiteral("/manifest.json"));
    if (!out.open(QIODevice::WriteOnly))
        return 1;
    out.write(QJsonDocument(*manifest).toJson());
    return 0;
}
