#include "exchange/import_columns.h"

#include <QRegularExpression>

#include <algorithm>

namespace ImportColumns {

namespace {

// Lower case, without units in brackets, blanks and closing punctuation.
QString normalised(const QString &name)
{
    static const QRegularExpression brackets(QStringLiteral("\\([^)]*\\)|\\[[^]]*\\]"));
    QString text = name.toLower();
    text.remove(brackets);
    text = text.simplified();
    while (text.endsWith(u':') || text.endsWith(u'.'))
        text.chop(1);
    return text.trimmed();
}

bool isOneOf(const QString &text, std::initializer_list<const char *> names)
{
    return std::any_of(names.begin(), names.end(),
                       [&text](const char *name) { return text == QLatin1String(name); });
}

} // namespace

QString fieldName(ImportField field)
{
    switch (field) {
    case ImportField::Date:
        return QStringLiteral("Datum");
    case ImportField::Time:
        return QStringLiteral("Uhrzeit");
    case ImportField::Systolic:
        return QStringLiteral("Systolisch");
    case ImportField::Diastolic:
        return QStringLiteral("Diastolisch");
    case ImportField::Pulse:
        return QStringLiteral("Puls");
    case ImportField::Weight:
        return QStringLiteral("Gewicht");
    case ImportField::Slot:
        return QStringLiteral("Messung");
    }
    return QString();
}

std::optional<ImportField> recognise(const QString &headerName)
{
    const QString name = normalised(headerName);
    if (isOneOf(name, {"messung", "tageszeit", "slot"}))
        return ImportField::Slot;
    if (name.startsWith(u"datum") || name.startsWith(u"date") ||
        isOneOf(name, {"messdatum", "tag", "day", "zeitpunkt", "timestamp", "measurement date"}))
        return ImportField::Date;
    if (isOneOf(name, {"uhrzeit", "zeit", "time", "messzeit", "measurement time"}))
        return ImportField::Time;
    if (name.contains(u"systol") || isOneOf(name, {"sys", "syst", "sbp", "oberer wert"}))
        return ImportField::Systolic;
    if (name.contains(u"diastol") || isOneOf(name, {"dia", "diast", "dbp", "unterer wert"}))
        return ImportField::Diastolic;
    if (name.contains(u"puls") || name.contains(u"heart rate") || name.contains(u"herzfrequenz") ||
        isOneOf(name, {"hr", "bpm", "herzschlag"}))
        return ImportField::Pulse;
    if (name.contains(u"gewicht") || name.contains(u"weight"))
        return ImportField::Weight;
    return std::nullopt;
}

ColumnMapping guess(const QStringList &header)
{
    ColumnMapping mapping;
    mapping.fill(-1);
    for (int i = 0; i < int(header.size()); ++i) {
        if (const std::optional<ImportField> field = recognise(header.at(i))) {
            if (column(mapping, *field) < 0)
                column(mapping, *field) = i;
        }
    }
    return mapping;
}

int recognisedCount(const QStringList &header)
{
    const ColumnMapping mapping = guess(header);
    return int(std::count_if(mapping.begin(), mapping.end(), [](int index) { return index >= 0; }));
}

} // namespace ImportColumns
