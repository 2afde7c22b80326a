#include "journal/quick_entry.h"

#include <QRegularExpression>

namespace QuickEntry {

QString expectedForm(bool weightSwitchOn)
{
    QString text = QStringLiteral("Bitte geben Sie die Messung so ein: systolisch/diastolisch "
                                  "Puls, zum Beispiel „135/85 72“.");
    if (weightSwitchOn)
        text += QStringLiteral(" Das Gewicht können Sie mit einem Leerzeichen anhängen, zum "
                               "Beispiel „135/85 72 78,4“.");
    return text;
}

namespace {

Result refused(const QString &text)
{
    return {std::nullopt, text};
}

// Says what was wrong with the text itself, beside the standing hint.
QString unreadable(const QString &text, bool weightSwitchOn)
{
    const QString examples = weightSwitchOn ? QStringLiteral("„135/85 72“ oder „135/85 72 78,4“")
                                            : QStringLiteral("„135/85 72“");
    if (text.trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie die Werte ein, zum Beispiel ") + examples +
               QLatin1Char('.');
    return QStringLiteral("„") + text.trimmed() +
           QStringLiteral("“ ist keine lesbare Messung. Erwartet wird die Form ") + examples +
           QLatin1Char('.');
}

// Minutes between two times of the same day.
int minutesApart(const QTime &a, const QTime &b)
{
    return qAbs(a.secsTo(b)) / 60;
}

std::optional<Slot> nearest(const QTime &now, const std::array<SlotOfDay, 4> &day,
                            bool switchedOnOnly)
{
    std::optional<Slot> best;
    int bestDistance = 0;
    for (const Slot slot : kAllSlots) {
        const SlotOfDay &candidate = day[std::size_t(slot)];
        if (candidate.taken || (switchedOnOnly && !candidate.switchedOn))
            continue;
        // A slot without a usual time is only taken when no other one is free.
        const int distance = candidate.time ? minutesApart(now, *candidate.time) : 24 * 60;
        if (!best || distance < bestDistance) {
            best = slot;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace

Result parse(const QString &text, bool weightSwitchOn)
{
    // Three whole numbers, the first two parted by a slash or blanks, then
    // optionally a weight with at most two decimals after a comma or point.
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d{1,3})\s*(?:/|\s)\s*(\d{1,3})\s+(\d{1,3})(?:\s+(\d{1,3})(?:[,.](\d{1,2}))?)?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return refused(unreadable(text, weightSwitchOn));

    Reading reading;
    reading.systolic = match.captured(1).toInt();
    reading.diastolic = match.captured(2).toInt();
    reading.pulse = match.captured(3).toInt();
    const auto outOfRange = [](int value) { return value > kMaxPressure; };
    if (outOfRange(reading.systolic))
        return refused(QStringLiteral("Der systolische Wert muss zwischen 0 und 280 mmHg liegen."));
    if (outOfRange(reading.diastolic))
        return refused(
            QStringLiteral("Der diastolische Wert muss zwischen 0 und 280 mmHg liegen."));
    if (outOfRange(reading.pulse))
        return refused(QStringLiteral("Der Puls muss zwischen 0 und 280 Schlägen pro Minute "
                                      "liegen."));

    if (match.hasCaptured(4)) {
        if (!weightSwitchOn)
            return refused(QStringLiteral("Ein Gewicht wird nur übernommen, wenn „Das Gewicht "
                                          "eingeben“ eingeschaltet ist."));
        const int whole = match.captured(4).toInt();
        // "78,4" is 78 kg and 40 hundredths, "78,45" 78 kg and 45.
        const QString decimals = match.captured(5).leftJustified(2, QLatin1Char('0'));
        const int hundredths = whole * 100 + decimals.toInt();
        if (hundredths == 0 || hundredths > kMaxWeightKg * 100)
            return refused(
                QStringLiteral("Das Gewicht muss größer als 0 und höchstens 310 kg sein."));
        QString weight = QString::number(whole);
        if (match.hasCaptured(5))
            weight += QLatin1Char(',') + match.captured(5);
        reading.weight = weight;
    }
    return {reading, QString()};
}

std::optional<Slot> proposeSlot(const QTime &now, const std::array<SlotOfDay, 4> &day)
{
    if (const std::optional<Slot> measured = nearest(now, day, true))
        return measured;
    return nearest(now, day, false);
}

} // namespace QuickEntry
