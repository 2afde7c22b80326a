#include "journal/reading_sentence.h"

#include "journal/field_rules.h"
#include "journal/slots.h"

namespace {

// "07" -> "7"; empty for a text that is not a whole number.
QString withoutLeadingZeros(const QString &digits)
{
    bool ok = false;
    const int value = digits.trimmed().toInt(&ok);
    return ok && value >= 0 ? QString::number(value) : QString();
}

} // namespace

QString readingSentence(const QString &displayLine)
{
    const FieldRules::ParsedEntry entry = FieldRules::parseForEdit(displayLine);
    if (!entry.slot || !entry.day || !entry.month || !entry.year || !entry.time ||
        !entry.systolic || !entry.diastolic || !entry.pulse)
        return {};
    const QString day = withoutLeadingZeros(*entry.day);
    bool monthOk = false;
    const int month = entry.month->toInt(&monthOk);
    if (day.isEmpty() || !monthOk || month < 1 || month > 12)
        return {};
    QString time = entry.time->trimmed();
    const qsizetype colon = time.indexOf(QLatin1Char(':'));
    if (colon > 0)
        time = withoutLeadingZeros(time.left(colon)) + time.mid(colon);

    QString sentence =
        slotInfo(*entry.slot).buttonCaption + QStringLiteral(", ") + day + QStringLiteral(". ") +
        germanMonthName(month) + QLatin1Char(' ') + entry.year->trimmed() + QStringLiteral(", ") +
        time + QStringLiteral(" Uhr, ") + entry.systolic->trimmed() + QStringLiteral(" zu ") +
        entry.diastolic->trimmed() + QStringLiteral(", Puls ") + entry.pulse->trimmed();
    const QString weight = entry.weight.value_or(QString()).trimmed();
    if (!weight.isEmpty() && weight != QLatin1String("0"))
        sentence += QStringLiteral(", Gewicht ") + weight + QStringLiteral(" kg");
    return sentence;
}
