#include "journal/slots.h"

namespace {

const std::array<SlotInfo, 4> &slotTable()
{
    static const std::array<SlotInfo, 4> table = {{
        {QStringLiteral("Morgens"), QStringLiteral("Morgens den "), QStringLiteral("Morgens"),
         QLatin1Char('a'), QStringLiteral("1M"), QStringLiteral("Messung 1 am Morgen")},
        {QStringLiteral("Messung2"), QStringLiteral("Messung2 den "), QStringLiteral("Messung 2"),
         QLatin1Char('b'), QStringLiteral("2M"), QStringLiteral("Messung 2")},
        {QStringLiteral("Messung3"), QStringLiteral("Messung3 den "), QStringLiteral("Messung 3"),
         QLatin1Char('c'), QStringLiteral("3M"), QStringLiteral("Messung 3")},
        {QStringLiteral("Abends"), QStringLiteral("Abends den "), QStringLiteral("Abends"),
         QLatin1Char('d'), QStringLiteral("4M"), QStringLiteral("Messung 4 am Abend")},
    }};
    return table;
}

} // namespace

const SlotInfo &slotInfo(Slot slot)
{
    return slotTable()[static_cast<std::size_t>(slot)];
}

std::optional<Slot> slotFromPrefix(const QString &prefix)
{
    for (Slot slot : kAllSlots) {
        if (slotInfo(slot).prefix == prefix)
            return slot;
    }
    return std::nullopt;
}

Slot nextSwitchedOnSlot(Slot current, const std::array<bool, 4> &switches)
{
    const int start = static_cast<int>(current);
    for (int step = 1; step < 4; ++step) {
        const int candidate = (start + step) % 4;
        if (switches[static_cast<std::size_t>(candidate)])
            return static_cast<Slot>(candidate);
    }
    return current;
}

QString germanMonthName(int month)
{
    static const char16_t *const names[] = {u"Januar",    u"Februar", u"März",     u"April",
                                            u"Mai",       u"Juni",    u"Juli",     u"August",
                                            u"September", u"Oktober", u"November", u"Dezember"};
    if (month < 1 || month > 12)
        return QString();
    return QString::fromUtf16(names[month - 1]);
}

QString germanWeekdayName(const QDate &date)
{
    static const char16_t *const names[] = {u"Montag",  u"Dienstag", u"Mittwoch", u"Donnerstag",
                                            u"Freitag", u"Samstag",  u"Sonntag"};
    return QString::fromUtf16(names[date.dayOfWeek() - 1]);
}
