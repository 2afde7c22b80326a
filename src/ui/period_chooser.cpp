#include "ui/period_chooser.h"

#include "journal/slots.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

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
    m_fromMonth = monthList("VonMonatCombo", QStringLiteral("Erster Monat"));
    m_fromYear = yearField("VonJahrSpin", QStringLiteral("Jahr des ersten Monats"));
    m_toMonth = monthList("BisMonatCombo", QStringLiteral("Letzter Monat"));
    m_toYear = yearField("BisJahrSpin", QStringLiteral("Jahr des letzten Monats"));
    QLabel *fromLabel = label("VonLabel", QStringLiteral("von"));
    QLabel *toLabel = label("BisLabel", QStringLiteral("bis"));
    fromLabel->setBuddy(m_fromMonth);
    toLabel->setBuddy(m_toMonth);
    m_layout->addWidget(fromLabel, row, 0);
    m_layout->addWidget(m_fromMonth, row, 1);
    m_layout->addWidget(m_fromYear, row, 2);
    m_layout->addWidget(toLabel, row + 1, 0);
    m_layout->addWidget(m_toMonth, row + 1, 1);
    m_layout->addWidget(m_toYear, row + 1, 2);
    m_rangeFields = {m_fromMonth, m_fromYear, m_toMonth, m_toYear};
    for (QComboBox *list : {m_fromMonth, m_toMonth})
        connect(list, &QComboBox::currentIndexChanged, this, &PeriodChooser::update);
    for (QSpinBox *year : {m_fromYear, m_toYear})
        connect(year, &QSpinBox::valueChanged, this, &PeriodChooser::update);
}

void PeriodChooser::addRangeLine(int row, QRadioButton *range)
{
    m_fromEdit = monthField("VonMonat", QStringLiteral("erster Monat des Zeitraums"));
    m_toEdit = monthField("BisMonat", QStringLiteral("letzter Monat des Zeitraums"));
    m_layout->addWidget(range, row, 0);
    m_layout->addWidget(m_fromEdit, row, 1);
    m_layout->addWidget(label("BisLabel", QStringLiteral("bis")), row, 2);
    m_layout->addWidget(m_toEdit, row, 3);
    for (QDateEdit *edit : {m_fromEdit, m_toEdit}) {
        connect(edit, &QDateEdit::dateChanged, range, [range] { range->setChecked(true); });
        connect(edit, &QDateEdit::dateChanged, this, &PeriodChooser::update);
    }
}

void PeriodChooser::prepare(const QDate &openMonth, const QDate &today)
{
    m_openMonth = openMonth;
    for (qsizetype i = 0; i < m_radios.size(); ++i) {
        const Choice &choice = m_options.choices.at(i);
        if (choice.caption.contains(QLatin1String("%1")))
            m_radios.at(i)->setText(choice.caption.arg(describeMonths(
                PeriodChoice::resolve(choice.kind, m_options.rules, openMonth, today))));
    }
    setRange(openMonth);
    if (!m_radios.isEmpty())
        m_radios.constFirst()->setChecked(true);
    update();
}

// Quietly: setting the range is not choosing it.
void PeriodChooser::setRange(const QDate &month)
{
    if (m_fromEdit) {
        const QSignalBlocker quietFrom(m_fromEdit);
        const QSignalBlocker quietTo(m_toEdit);
        m_fromEdit->setDate(month);
        m_toEdit->setDate(month);
    }
    if (m_fromMonth) {
        const QSignalBlocker quiet(this);
        m_fromMonth->setCurrentIndex(month.month() - 1);
        m_toMonth->setCurrentIndex(month.month() - 1);
        m_fromYear->setValue(month.year());
        m_toYear->setValue(month.year());
    }
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
    return PeriodChoice::resolve(kind(), m_options.rules, m_openMonth, today, from(), to());
}

QDate PeriodChooser::from() const
{
    if (m_fromEdit)
        return m_fromEdit->date();
    if (m_fromMonth)
        return QDate(m_fromYear->value(), m_fromMonth->currentIndex() + 1, 1);
    return {};
}

QDate PeriodChooser::to() const
{
    if (m_toEdit)
        return m_toEdit->date();
    if (m_toMonth)
        return QDate(m_toYear->value(), m_toMonth->currentIndex() + 1, 1);
    return {};
}

// The month rows count only while the range is chosen.
void PeriodChooser::update()
{
    if (m_fromMonth) {
        const bool range = kind() == PeriodChoice::Kind::Range;
        for (QWidget *field : std::as_const(m_rangeFields))
            field->setEnabled(range);
    }
    emit changed();
}
