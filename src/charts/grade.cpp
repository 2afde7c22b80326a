#include "charts/grade.h"

namespace {

bool within(qint64 value, qint64 low, qint64 high)
{
    return value >= low && value <= high;
}

} // namespace

MonthGrade::Level classifyLevel(qint64 s, qint64 d)
{
    using Level = MonthGrade::Level;
    if (s >= 180 || within(d, 110, 200))
        return Level::Grade3;
    if (within(d, 100, 109) || within(s, 160, 179))
        return Level::Grade2;
    if (within(d, 90, 99) || within(s, 140, 159))
        return Level::Grade1;
    if (within(d, 85, 89) || within(s, 130, 139))
        return Level::HighNormal;
    if (within(d, 50, 84) && within(s, 105, 129))
        return Level::Normal;
    return Level::None;
}

MonthGrade classifyMonth(qint64 s, qint64 d, ChartPage page)
{
    using Level = MonthGrade::Level;
    const QString prefix = QStringLiteral("Monatliche Mittelwerte: ");
    // Only the three hypertension grades go without the prefix on the bar page.
    const QString gradePrefix = page == ChartPage::Line ? prefix : QString();
    MonthGrade grade;
    grade.level = classifyLevel(s, d);
    switch (grade.level) {
    case Level::Grade3:
        grade.text = gradePrefix + QStringLiteral("Grad 3 Hypertonie (schwerer Bluthochdruck)");
        grade.colour = QStringLiteral("#ED1B24");
        break;
    case Level::Grade2:
        grade.text =
            gradePrefix + QStringLiteral("Grad 2 Hypertonie (mittelschwerer Bluthochdruck)");
        grade.colour = QStringLiteral("#FA572E");
        break;
    case Level::Grade1:
        grade.text = gradePrefix + QStringLiteral("Grad 1 Hypertonie (leichter Bluthochdruck)");
        grade.colour = QStringLiteral("#FF925F");
        break;
    case Level::HighNormal:
        grade.text = prefix + QStringLiteral("Hochnormal");
        grade.colour = QStringLiteral("#FEF200");
        break;
    case Level::Normal:
        grade.text = prefix + QStringLiteral("Normal/Optimal ");
        grade.colour = QStringLiteral("#B5E51D");
        break;
    case Level::None:
        grade.text = prefix;
        grade.colour = QStringLiteral("#FFFFFF");
        break;
    }
    return grade;
}

QString plausibilityWarning(qint64 s, qint64 d)
{
    QString warning;
    if (s < 105)
        warning = QStringLiteral(
            "Überprüfen Sie Ihre Eingaben der systolischen Werte! Die Werte sind sehr niedrig!");
    if (d > 130)
        warning = QStringLiteral(
            "Überprüfen Sie Ihre Eingaben der diastolischen Werte! Die Werte sind viel zu hoch!");
    if (d < 50)
        warning = QStringLiteral("Überprüfen Sie Ihre Eingaben der diastolischen Werte! Die Werte "
                                 "sind viel zu niedrig!");
    return warning;
}

QStringList gradeChartLines(const MonthGrade &grade, const QString &summary, ChartPage page)
{
    const QString g = ColorToHtml(14671845);
    const bool bar = page == ChartPage::Bar;
    return {
        bar ? QStringLiteral("function createConfig6(colorName) {return {\ttype:'bar',\tdata: { ")
            : QStringLiteral("function createConfig4(colorName) {return {\ttype:'bar',\tdata: { "),
        bar ? QStringLiteral("labels: [['") + summary + QStringLiteral("']], ")
            : QStringLiteral("labels: ['") + summary + QStringLiteral("'], "),
        QStringLiteral("datasets: [{barPercentage: 0.3, label: '") + grade.text +
            QStringLiteral("',"),
        QStringLiteral("backgroundColor: '") + grade.colour + QStringLiteral("' ,borderColor: '") +
            grade.colour + QStringLiteral("',fill: false, "),
        QStringLiteral("data: [180] , },  "),
        QStringLiteral("]},"),
        QStringLiteral("options: {aspectRatio:1.6  , legend: {display: true,labels: {fontSize: 13 "
                       ",fontStyle : 'bold',boxWidth :10}},elements: {line: {tension: "
                       "0}},responsive: true,title: {display: true, fontSize: 14 ,fontStyle : "
                       "'bold',text: 'Hypertonie Grad'}, "),
        QStringLiteral("tooltips: {enabled: false, mode: 'index', intersect: true, },hover: {mode: "
                       "'index',},scales: {xAxes: [{  ticks: { fontSize: 13 , fontStyle : "
                       "'bold'},gridLines: {  display: false ,  color: '") +
            g +
            QStringLiteral("'}, scaleLabel: {display: true,labelString: '     '}\t}],yAxes: "
                           "[{stacked: true, gridLines: {  display: false ,  color: '") +
            g +
            QStringLiteral("'},display: false,scaleLabel: {display: false,labelString: "
                           "'mmHg'},}]}}};} "),
    };
}
