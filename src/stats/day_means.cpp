#include "stats/day_means.h"

#include "base/german_numbers.h"
#include "stats/mean.h"
#include "stats/number_texts.h"

#include <algorithm>

namespace {

bool validDay(int day)
{
    return day >= 1 && day <= 31;
}

// Day N for the texts "01".."31", 0 for anything else.
int dayNumber(QStringView dayText)
{
    if (dayText.size() != 2)
        return 0;
    const char16_t tens = dayText.at(0).unicode();
    const char16_t ones = dayText.at(1).unicode();
    if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
        return 0;
    const int day = (tens - '0') * 10 + (ones - '0');
    return validDay(day) ? day : 0;
}

} // namespace

DayMeanTable::DayMeanTable()
{
    for (auto &row : m_texts)
        row.fill(QStringLiteral("0"));
}

const QString &DayMeanTable::text(Quantity quantity, int day) const
{
    static const QString none;
    if (!validDay(day))
        return none;
    return m_texts[static_cast<std::size_t>(quantity)][static_cast<std::size_t>(day - 1)];
}

void DayMeanTable::setText(Quantity quantity, int day, const QString &text)
{
    if (validDay(day))
        m_texts[static_cast<std::size_t>(quantity)][static_cast<std::size_t>(day - 1)] = text;
}

void DayMeans::clear()
{
    for (QList<Item> &items : m_items)
        items.clear();
}

void DayMeans::collect(const EntryLine::Parsed &line)
{
    if (const std::optional<WrittenPieces> &pieces = line.written()) {
        collectWhole(pieces->day, pieces->systolic, pieces->diastolic, pieces->pulse);
        return;
    }
    const EntryLine::DayMeanTexts texts = line.dayMeanTexts();
    const QString tag = texts.day + QLatin1Char('_');
    for (std::size_t q = 0; q < texts.values.size(); ++q) {
        if (texts.values[q])
            m_items[q].append({tag + *texts.values[q]});
    }
}

void DayMeans::collectWhole(int day, int systolic, int diastolic, int pulse)
{
    const std::array<int, 3> values = {systolic, diastolic, pulse};
    for (std::size_t q = 0; q < values.size(); ++q)
        m_items[q].append({QString(), day, values[q]});
}

namespace {

// The value text after the "_" of an item (the whole item without one).
long double valueOf(const QString &itemText)
{
    return GermanNumbers::toFloat(itemText.mid(itemText.indexOf(QLatin1Char('_')) + 1));
}

// The values of one day's run in a list; its text is its mean.
struct DayRun
{
    int day = 0; // 0 for none
    long double sum = 0;
    qint64 wholeSum = 0;
    qint64 count = 0;
    bool whole = true; // every value came as a whole number

    void add(long double value, int wholeValue)
    {
        sum += value;
        wholeSum += wholeValue;
        whole = whole && wholeValue >= 0;
        ++count;
    }

    // The mean passes through its two-decimal text before rounding, so
    // 135,496 shows as 136 like 135,50 does. Whole numbers take the same two
    // half-up steps in integers, which spares the decimal conversions.
    QString text() const
    {
        if (whole) {
            return wholeNumberText(wholeOfHundredths(wholeMeanHundredths(wholeSum, count)));
        }
        return GermanNumbers::formatGeneral(roundHalfUp(twoDecimalValue(meanOrZero(sum, count))));
    }
};

} // namespace

void DayMeans::buildTable()
{
    m_table = DayMeanTable();
    for (std::size_t q = 0; q < m_items.size(); ++q)
        buildRow(static_cast<Quantity>(q));
}

namespace {

// The day text of an item ("05"), without making a string for a whole one;
// the view points into `digits` for a whole item, so a DayText is not copied.
struct DayText
{
    std::array<char16_t, 2> digits{};
    QStringView text;

    DayText(const QString &itemText, int wholeDay)
    {
        if (itemText.isEmpty()) {
            digits = {char16_t(u'0' + wholeDay / 10), char16_t(u'0' + wholeDay % 10)};
            text = QStringView(digits.data(), 2);
            return;
        }
        const qsizetype underscore = itemText.indexOf(QLatin1Char('_'));
        text = underscore < 0 ? QStringView() : QStringView(itemText).left(underscore);
    }
    DayText(const DayText &) = delete;
    DayText &operator=(const DayText &) = delete;
};

} // namespace

bool DayMeans::sameDay(const Item &a, const Item &b)
{
    // Two whole items tell their day by its number, which stands for its text.
    if (a.text.isEmpty() && b.text.isEmpty())
        return a.day == b.day;
    return DayText(a.text, a.day).text == DayText(b.text, b.day).text;
}

void DayMeans::buildRow(Quantity quantity)
{
    const auto q = static_cast<std::size_t>(quantity);
    // The list starts with sum and count at 0, so its first item always
    // opens a run. Only the last value of a run decides the day's text, so
    // it is made once the run ends.
    const Item *previous = nullptr;
    DayRun run;
    const auto writeRun = [&] {
        if (run.day != 0 && run.count != 0)
            m_table.setText(quantity, run.day, run.text());
    };
    for (const Item &item : m_items[q]) {
        // A new run of a day starts afresh, even for a day seen before.
        if (!previous || !sameDay(*previous, item)) {
            writeRun();
            run = DayRun();
            run.day = item.text.isEmpty() ? item.day : dayNumber(DayText(item.text, 0).text);
        }
        previous = &item;
        if (run.day == 0)
            continue;
        try {
            run.add(item.wholeValue >= 0 ? item.wholeValue : valueOf(item.text), item.wholeValue);
        } catch (...) {
            writeRun(); // what was read before the bad value stays
            throw;
        }
    }
    writeRun();
}

const QStringList &DayMeans::valueList(Quantity quantity) const
{
    const auto q = static_cast<std::size_t>(quantity);
    QStringList &texts = m_texts[q];
    texts.clear();
    for (const Item &item : m_items[q]) {
        texts.append(item.text.isEmpty() ? QStringLiteral("%1_%2")
                                               .arg(item.day, 2, 10, QLatin1Char('0'))
                                               .arg(item.wholeValue)
                                         : item.text);
    }
    return texts;
}
