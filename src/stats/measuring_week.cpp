#include "stats/measuring_week.h"

#include "base/german_numbers.h"
#include "stats/mean.h"
#include "stats/period_stats.h"

#include <QMap>

namespace {

struct DayPair
{
    const Reading *morning = nullptr;
    const Reading *evening = nullptr;
    bool complete() const { return morning && evening; }
};

QMap<QDate, DayPair> morningAndEvening(const QList<Reading> &readings)
{
    QMap<QDate, DayPair> days;
    for (const Reading &reading : readings) {
        if (reading.slot == Slot::Morning)
            days[reading.date].morning = &reading;
        else if (reading.slot == Slot::Evening)
            days[reading.date].evening = &reading;
    }
    return days;
}

bool completeDay(const QMap<QDate, DayPair> &days, const QDate &date)
{
    const auto found = days.constFind(date);
    return found != days.cend() && found->complete();
}

MeasuringWeek weekEndingOn(const QMap<QDate, DayPair> &days, const QDate &lastDay)
{
    MeasuringWeek week;
    week.lastDay = lastDay;
    week.firstDay = lastDay.addDays(1 - kMeasuringWeekDays);
    long double systolic = 0;
    long double diastolic = 0;
    for (QDate day = week.firstDay.addDays(1); day <= lastDay; day = day.addDays(1)) {
        const DayPair &pair = days.value(day);
        for (const Reading *reading : {pair.morning, pair.evening}) {
            systolic += reading->systolic;
            diastolic += reading->diastolic;
            ++week.count;
        }
    }
    week.systolic = meanOrZero(systolic, week.count);
    week.diastolic = meanOrZero(diastolic, week.count);
    return week;
}

QString dayAndMonth(const QDate &date)
{
    return QStringLiteral("%1.%2.")
        .arg(date.day(), 2, 10, QLatin1Char('0'))
        .arg(date.month(), 2, 10, QLatin1Char('0'));
}

QString span(const MeasuringWeek &week)
{
    const QString first = week.firstDay.year() == week.lastDay.year()
                              ? dayAndMonth(week.firstDay)
                              : dayAndMonth(week.firstDay) + QString::number(week.firstDay.year());
    return first + QStringLiteral("–") + dayAndMonth(week.lastDay) +
           QString::number(week.lastDay.year());
}

QString judgement(qint64 systolic, qint64 diastolic)
{
    if (systolic > kHomeSystolicThreshold || diastolic > kHomeDiastolicThreshold)
        return QStringLiteral("über dem Grenzwert");
    if (systolic == kHomeSystolicThreshold || diastolic == kHomeDiastolicThreshold)
        return QStringLiteral("erreicht den Grenzwert");
    return QStringLiteral("unter dem Grenzwert");
}

} // namespace

std::optional<MeasuringWeek> latestMeasuringWeek(const QList<Reading> &readings)
{
    const QMap<QDate, DayPair> days = morningAndEvening(readings);
    // Walk back from the latest complete day; a run ends at the first day
    // that lacks one of the two readings.
    for (auto it = days.cend(); it != days.cbegin();) {
        --it;
        if (!it->complete())
            continue;
        int run = 1;
        while (run < kMeasuringWeekDays && completeDay(days, it.key().addDays(-run)))
            ++run;
        if (run == kMeasuringWeekDays)
            return weekEndingOn(days, it.key());
    }
    return std::nullopt;
}

std::optional<MeasuringWeek> measuringWeekFrom(const QList<Reading> &readings,
                                               const QDate &firstDay)
{
    const QMap<QDate, DayPair> days = morningAndEvening(readings);
    for (int i = 0; i < kMeasuringWeekDays; ++i) {
        if (!completeDay(days, firstDay.addDays(i)))
            return std::nullopt;
    }
    return weekEndingOn(days, firstDay.addDays(kMeasuringWeekDays - 1));
}

QString measuringWeekText(const std::optional<MeasuringWeek> &week)
{
    if (!week || week->count < kMeasuringWeekReadings)
        return QStringLiteral("Keine vollständige Messwoche im Zeitraum");
    const qint64 systolic = qint64(roundToDigits(week->systolic, 0));
    const qint64 diastolic = qint64(roundToDigits(week->diastolic, 0));
    return QStringLiteral(
               "Messwoche %1: Mittelwert %2/%3 mmHg aus %4 Messungen – %5 von %6/%7 mmHg")
        .arg(span(*week))
        .arg(systolic)
        .arg(diastolic)
        .arg(week->count)
        .arg(judgement(systolic, diastolic))
        .arg(kHomeSystolicThreshold)
        .arg(kHomeDiastolicThreshold);
}
