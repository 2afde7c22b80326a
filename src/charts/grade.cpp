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
    struct Look
    {
        const char16_t *text;
        const char16_t *colour;
        bool prefixOnBar; // the hypertension grades go without it on the bar page
    };
    // In the order of MonthGrade::Level.
    static constexpr Look looks[] = {
        {u"Grad 3 Hypertonie (schwerer Bluthochdruck)", u"#ED1B24", false},
        {u"Grad 2 Hypertonie (mittelschwerer Bluthochdruck)", u"#FA572E", false},
        {u"Grad 1 Hypertonie (leichter Bluthochdruck)", u"#FF925F", false},
        {u"Hochnormal", u"#FEF200", true},
        {u"Normal/Optimal ", u"#B5E51D", true},
        {u"", u"#FFFFFF", true},
    };
    MonthGrade grade;
    grade.level = classifyLevel(s, d);
    const Look &look = looks[int(grade.level)];
    if (page == ChartPage::Line || look.prefixOnBar)
        grade.text = QStringLiteral("Monatliche Mittelwerte: ");
    grade.text += QString::fromUtf16(look.text);
    grade.colour = QString::fromUtf16(look.colour);
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
