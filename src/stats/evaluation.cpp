#include "stats/evaluation.h"

#include "base/german_numbers.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The three characters after the key, without the first comma among them
// ("s=135, " gives "135", "s=98, " gives "98"). Empty when the key is missing.
QString valueText(const QString &displayLine, QLatin1StringView key)
{
    const qsizetype at = displayLine.indexOf(key);
    if (at < 0)
        return QString();
    QString text = displayLine.mid(at + key.size(), 3);
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma >= 0)
        text.remove(comma, 1);
    return text;
}

// A one-digit value leaves a blank behind its comma ("d=0, "): it still
// counts as that number.
qint64 wholeNumber(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' '))
        --end;
    if (end == 0)
        return GermanNumbers::toInt(text); // raises the error for this text
    return GermanNumbers::toInt(text.left(end));
}

} // namespace

QStringList evaluationItems(const QString &displayLine, QStringList *partial)
{
    QStringList items;
    items << QStringLiteral("\t\t\t\t Auswertung des aktuellen Datensatzes:") + kCrLf;

    const QString systolic = valueText(displayLine, QLatin1StringView("s="));
    const QString diastolic = valueText(displayLine, QLatin1StringView("d="));
    const QString pulse = valueText(displayLine, QLatin1StringView("p="));
    items << QStringLiteral("\t\t      Systole= ") + systolic +
                 QStringLiteral(" mmHg, Diastole= ") + diastolic + QStringLiteral(" mmHg, Puls= ") +
                 pulse + QStringLiteral(" (HF)") + kCrLf;

    try {
        const qint64 s = wholeNumber(systolic);
        const qint64 d = wholeNumber(diastolic);
        // The factor is the seven-digit constant, not an exact third.
        const long double mad = d + (s - d) * 0.3333333L;
        items << QStringLiteral("\t\t      Arterieller Mitteldruck (MAD): ") +
                     GermanNumbers::formatGrouped1(mad) + QStringLiteral(" mmHg  (70-105 =Normal)");
        items << QStringLiteral("\t\t      Pulsdruck: ") + QString::number(s - d) +
                     QStringLiteral(" mmHg        (Niedriger als 50 mmHg=Normal)");
    } catch (...) {
        if (partial)
            *partial = items;
        throw;
    }
    if (partial)
        *partial = items;
    return items;
}

QString evaluationMemoText(const QStringList &items)
{
    QString text;
    for (const QString &item : items) {
        QString line = item;
        line.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text += line + QLatin1Char('\n');
    }
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text;
}
