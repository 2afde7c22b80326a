#include "ui/period_chooser.h"

#include "journal/slots.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <utility>

namespace {

constexpr int kColumns = 4;

QComboBox *monthList(const char *name, const QString &accessibleName)
{
    auto *list = new QComboBox;
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessibleName);
    for (int month = 1; month <= 12; ++month)
        list->addItem(germanMonthName(month));
    return list;
}

QSpinBox *yearField(const char *name, const QString &accessibleName)
{
    auto *year = new QSpinBox;
    year->setObjectName(QLatin1String(name));
    year->setAccessibleName(accessibleName);
    year->setRange(1990, 2100);
    return year;
}

QDateEdit *monthField(const char *name, const QString &accessibleName)
{
    auto *field = new QDateEdit;
    field->setObjectName(QLatin1String(name));
    field->setAccessibleName(accessibleName);
    field->setDisplayFormat(QStringLiteral("MM.yyyy"));
    return field;
}

QLabel *label(const char *name, const QString &text)
{
    auto *label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

PeriodChooser::PeriodChooser(QWidget *parent)
    : QWidget(parent)
    , m_layout(new QGridLayout(this))
{
    // The dialog's own margins hold it.
    m_layout->setContentsMargins(0, 0, 0, 0);
}

void PeriodChooser::offer(const Options &options)
{
    m_options = options;
    int row = 0;
    for (const Choice &choice : options.choices) {
        auto *radio = new QRadioButton(choice.caption, this);
        radio->setObjectName(QLatin1String(choice.objectName));
        m_radios.append(radio);
        connect(radio, &QRadioButton::toggled, this, &PeriodChooser::update);
        if (choice.kind != PeriodChoice::Kind::Range) {
            m_layout->addWidget(radio, row++, 0, 1, kColumns);
        } else if (options.rangeFields == RangeFields::MonthAndYearRows) {
            m_layout->addWidget(radio, row++, 0, 1, kColumns);
            addRangeRows(row);
            row += 2;
        } else {
            addRangeLine(row++, radio);
        }
    }
}

void PeriodChooser::addRangeRows(int row)
{
    m_from = {monthList("VonMonatCombo", QStringLiteral("Erster Monat")),
              yearField("VonJahrSpin", QStringLiteral("Jahr des ersten Monats"))};
    m_to = {monthList("BisMonatCombo", QStringLiteral("Letzter Monat")),
            yearField("BisJahrSpin", QStringLiteral("Jahr des letzten Monats"))};
    const QList<std::pair<QLabel *, MonthFields>> rows{
        {label("VonLabel", QStringLiteral("von")), m_from},
        {label("BisLabel", QStringLiteral("bis")), m_to}};
    for (const auto &[caption, fields] : rows) {
        caption->setBuddy(fields.month);
        m_layout->addWidget(caption, row, 0);
        m_layout->addWidget(fields.month, row, 1);
        m_layout->addWidget(fields.year, row++, 2);
        connect(fields.month, &QComboBox::currentIndexChanged, this, &PeriodChooser::update);
        connect(fields.year, &QSpinBox::valueChanged, this, &PeriodChooser::update);
    }
}

void PeriodChooser::addRangeLine(int row, QRadioButton *range)
{
    m_from.date = monthField("VonMonat", QStringLiteral("erster Monat des Zeitraums"));
    m_to.date = monthField("BisMonat", QStringLiteral("letzter Monat des Zeitraums"));
    m_layout->addWidget(range, row, 0);
    m_layout->addWidget(m_from.date, row, 1);
    m_layout->addWidget(label("BisLabel", QStringLiteral("bis")), row, 2);
    m_layout->addWidget(m_to.date, row, 3);
    for (QDateEdit *edit : {m_from.date, m_to.date}) {
        connect(edit, &QDateEdit::dateChanged, range, [range] { range->setChecked(true); });
        connect(edit, &QDateEdit::dateChanged, this, &PeriodChooser::update);
    }
}

void PeriodChooser::prepare(const QDate &openMonth, const QDate &today)
{
    m_openMonth = openMonth;
    for (qsizetype i = 0; i < m_radios.size(); ++i) {
        const Choice &choice = m_options.choices.at(i);
        if (!choice.caption.contains(QLatin1String("%1")))
            continue;
        const MonthRange months = PeriodChoice::resolve(choice.kind, m_options.rules, openMonth,
                                                        today, {}, {}, m_userMonths);
        m_radios.at(i)->setText(choice.caption.arg(
            months.isValid() ? describeMonths(months) : QStringLiteral("keine Monate")));
    }
    {
        // Quietly: setting the range is not choosing it.
        const QSignalBlocker quiet(this);
        m_from.set(openMonth);
        m_to.set(openMonth);
    }
    if (!m_radios.isEmpty())
        m_radios.constFirst()->setChecked(true);
    update();
}

PeriodChoice::Kind PeriodChooser::kind() const
{
    for (qsizetype i = 0; i < m_radios.size(); ++i) {
        if (m_radios.at(i)->isChecked())
            return m_options.choices.at(i).kind;
    }
    return PeriodChoice::Kind::OpenMonth;
}

MonthRange PeriodChooser::months(const QDate &today) const
{
    return PeriodChoice::resolve(kind(), m_options.rules, m_openMonth, today, m_from.value(),
                                 m_to.value(), m_userMonths);
}

QDate PeriodChooser::MonthFields::value() const
{
    if (date)
        return date->date();
    if (month)
        return QDate(year->value(), month->currentIndex() + 1, 1);
    return {};
}

void PeriodChooser::MonthFields::set(const QDate &day) const
{
    if (date) {
        const QSignalBlocker quiet(date);
        date->setDate(day);
    }
    if (month) {
        month->setCurrentIndex(day.month() - 1);
        year->setValue(day.year());
    }
}

// The month rows count only while the range is chosen.
void PeriodChooser::update()
{
    if (m_from.month) {
        const bool range = kind() == PeriodChoice::Kind::Range;
        for (QWidget *field :
             {static_cast<QWidget *>(m_from.month), static_cast<QWidget *>(m_from.year),
              static_cast<QWidget *>(m_to.month), static_cast<QWidget *>(m_to.year)})
            field->setEnabled(range);
    }
    emit changed();
}
