#include "stats/value_texts.h"

#include <algorithm>

QString afterFirstDot(const QString &line)
{
    const qsizetype dot = line.indexOf(QLatin1Char('.'));
    return dot < 0 ? line : line.mid(dot + 2);
}

namespace {

// "s=" or "d=": the text up to the next comma. Without that comma no value
// is taken, but the marker is still consumed.
std::optional<QString> takeCommaValue(QString &rest, QLatin1StringView marker)
{
    const qsizetype at = rest.indexOf(marker);
    if (at < 0)
        return std::nullopt;
    rest = rest.mid(at + marker.size());
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    if (comma < 0)
        return std::nullopt;
    QString value = rest.left(comma);
    rest = rest.mid(comma + 1);
    return value;
}

} // namespace

ValueTexts valueTextsOf(QString rest)
{
    ValueTexts texts;
    texts.systolic = takeCommaValue(rest, QLatin1StringView("s="));
    texts.diastolic = takeCommaValue(rest, QLatin1StringView("d="));

    const qsizetype p = rest.indexOf(QLatin1StringView("p="));
    if (p >= 0) {
        rest = rest.mid(p + 2);
        const qsizetype gewicht = rest.indexOf(QLatin1StringView("Gewicht="));
        if (gewicht >= 0) {
            // The pulse ends at the comma before the weight; a line that lost
            // that comma still ends its pulse at "Gewicht=".
            const qsizetype comma = rest.indexOf(QLatin1Char(','));
            rest = rest.left(comma >= 0 ? std::min(comma, gewicht) : gewicht);
        }
        texts.pulse = withoutOuterBlanks(rest);
    }
    return texts;
}
