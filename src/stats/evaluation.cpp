#include "stats/evaluation.h"

#include "base/german_numbers.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

} // namespace

QStringList evaluationItems(const EntryLine::Parsed &line, QStringList *partial)
{
    QStringList items;
    items << QStringLiteral("\t\t\t\t Auswertung des aktuellen Datensatzes:") + kCrLf;

    const EntryLine::EvaluationTexts values = line.evaluationTexts();
    items << QStringLiteral("\t\t      Systole= ") + values.systolic +
                 QStringLiteral(" mmHg, Diastole= ") + values.diastolic +
                 QStringLiteral(" mmHg, Puls= ") + values.pulse + QStringLiteral(" (HF)") + kCrLf;

    try {
        const qint64 s = EntryLine::EvaluationTexts::wholeNumber(values.systolic);
        const qint64 d = EntryLine::EvaluationTexts::wholeNumber(values.diastolic);
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
