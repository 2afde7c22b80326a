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

} // namespace

Result parse(const QString &text, bool weightSwitchOn)
{
    // Three whole numbers, the first two parted by a slash or blanks, then
    // optionally a weight with at most one decimal after a comma or point.
    static const QRegularExpression form(QStringLiteral(
        R"(^\s*(\d{1,3})\s*(?:/|\s)\s*(\d{1,3})\s+(\d{1,3})(?:\s+(\d{1,3})(?:[,.](\d))?)?\s*$)"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return refused(expectedForm(weightSwitchOn));

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
        const int tenth = match.hasCaptured(5) ? match.captured(5).toInt() : 0;
        const int tenths = whole * 10 + tenth;
        if (tenths == 0 || tenths > kMaxWeightKg * 10)
            return refused(
                QStringLiteral("Das Gewicht muss größer als 0 und höchstens 310 kg sein."));
        QString weight = QString::number(whole);
        if (match.hasCaptured(5))
            weight += QLatin1Char(',') + match.captured(5);
        reading.weight = weight;
    }
    return {reading, QString()};
}

} // namespace QuickEntry
