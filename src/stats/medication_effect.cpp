#include "stats/medication_effect.h"

#include "stats/mean.h"

#include <algorithm>

namespace {

QString dayText(const QDate &day)
{
    return day.toString(QStringLiteral("dd.MM.yyyy"));
}

QString sameName(const Medication &medication)
{
    return medication.name.trimmed().toCaseFolded();
}

QString readingsText(int count)
{
    return count == 1 ? QStringLiteral("1 Messung") : QStringLiteral("%1 Messungen").arg(count);
}

// Whole mmHg as the month means show them: the two-decimal mean, half up.
qint64 wholeMean(long double sum, int count)
{
    return wholeOfHundredths(wholeMeanHundredths(qint64(sum), count));
}

QString meansText(const ReadingMeans &means)
{
    return QStringLiteral("%1/%2 mmHg (%3)")
        .arg(wholeMean(means.systolicSum, means.count))
        .arg(wholeMean(means.diastolicSum, means.count))
        .arg(readingsText(means.count));
}

} // namespace

QString MedicationChange::heading() const
{
    switch (kind) {
    case Kind::End:
        return medication.label() + QStringLiteral(" bis ") + dayText(day.addDays(-1));
    case Kind::Dose:
        return medication.label() + QStringLiteral(" statt ") +
               (previous ? previous->strength.trimmed() : QString()) + QStringLiteral(" ab ") +
               dayText(day);
    case Kind::Start:
        break;
    }
    return medication.label() + QStringLiteral(" ab ") + dayText(day);
}

QString MedicationChange::markText() const
{
    switch (kind) {
    case Kind::End:
        return medication.label() + QStringLiteral(" abgesetzt");
    case Kind::Dose:
        return medication.label() + QStringLiteral(" statt ") +
               (previous ? previous->strength.trimmed() : QString());
    case Kind::Start:
        break;
    }
    return medication.label();
}

namespace {

// Every start, end and dose change of the plan, in day order.
QList<MedicationChange> allChanges(const QList<Medication> &medications)
{
    using Kind = MedicationChange::Kind;
    QList<MedicationChange> changes;
    QList<bool> startTaken(medications.size(), false);
    for (qsizetype i = 0; i < medications.size(); ++i) {
        const Medication &ended = medications.at(i);
        if (!ended.lastDay)
            continue;
        const QDate day = ended.lastDay->addDays(1);
        qsizetype next = -1;
        for (qsizetype j = 0; j < medications.size() && next < 0; ++j) {
            if (j != i && !startTaken.at(j) && medications.at(j).firstDay == day &&
                sameName(medications.at(j)) == sameName(ended))
                next = j;
        }
        if (next >= 0) {
            startTaken[next] = true;
            changes.append({Kind::Dose, day, medications.at(next), ended});
        } else {
            changes.append({Kind::End, day, ended, std::nullopt});
        }
    }
    for (qsizetype i = 0; i < medications.size(); ++i) {
        if (!startTaken.at(i))
            changes.append(
                {Kind::Start, medications.at(i).firstDay, medications.at(i), std::nullopt});
    }
    std::stable_sort(
        changes.begin(), changes.end(),
        [](const MedicationChange &a, const MedicationChange &b) { return a.day < b.day; });
    return changes;
}

} // namespace

QList<MedicationChange> medicationChanges(const QList<Medication> &medications, const QDate &first,
                                          const QDate &last)
{
    QList<MedicationChange> changes;
    for (const MedicationChange &change : allChanges(medications)) {
        // An end belongs to the period of its last day.
        const QDate told =
            change.kind == MedicationChange::Kind::End ? change.day.addDays(-1) : change.day;
        if (first <= told && told <= last)
            changes.append(change);
    }
    return changes;
}

EffectSpan effectSpan(const QList<MedicationChange> &changes)
{
    if (changes.isEmpty())
        return {};
    QDate first = changes.first().day;
    QDate last = first;
    for (const MedicationChange &change : changes) {
        first = std::min(first, change.day);
        last = std::max(last, change.day);
    }
    return {first.addDays(-kEffectDays), last.addDays(kEffectDays - 1)};
}

QString MedicationEffect::text() const
{
    const QString lead = change.heading() + QStringLiteral(": ");
    if (!enoughReadings())
        return lead + QStringLiteral("zu wenige Messungen (vorher %1, nachher %2)")
                          .arg(before.count)
                          .arg(after.count);
    return lead + QStringLiteral("vorher ") + meansText(before) + QStringLiteral(", nachher ") +
           meansText(after);
}

MedicationEffect medicationEffect(const MedicationChange &change, const QList<Reading> &readings)
{
    QList<Reading> before;
    QList<Reading> after;
    const QDate beforeFirst = change.day.addDays(-kEffectDays);
    const QDate afterLast = change.day.addDays(kEffectDays - 1);
    for (const Reading &reading : readings) {
        if (beforeFirst <= reading.date && reading.date < change.day)
            before.append(reading);
        else if (change.day <= reading.date && reading.date <= afterLast)
            after.append(reading);
    }
    return {change, periodStats(before).all, periodStats(after).all};
}

QList<DayLabel> medicationDayLabels(const QList<Medication> &medications, const QDate &first,
                                    const QDate &last)
{
    QList<DayLabel> labels;
    for (const MedicationChange &change : allChanges(medications)) {
        if (first <= change.day && change.day <= last)
            labels.append({change.day, change.markText()});
    }
    return labels;
}

QString medicationSummary(const Medication &medication)
{
    QString text = medication.label();
    if (!medication.intake.trimmed().isEmpty())
        text += QStringLiteral(", ") + medication.intake.trimmed();
    text += medication.lastDay
                ? QStringLiteral(", vom %1 bis %2")
                      .arg(dayText(medication.firstDay), dayText(*medication.lastDay))
                : QStringLiteral(", seit ") + dayText(medication.firstDay);
    if (!medication.note.trimmed().isEmpty())
        text += QStringLiteral(" (") + medication.note.simplified() + QLatin1Char(')');
    return text;
}
