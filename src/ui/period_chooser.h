#pragma once

#include "storage/month_range.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QDateEdit;
class QGridLayout;
class QRadioButton;
class QSpinBox;

// The period of a report or an export: radio buttons for the choices a
// dialog offers, the range last with its two months. The dialog names the
// choices, their captions and controls; the months come from
// PeriodChoice::resolve under the dialog's rules.
class PeriodChooser : public QWidget
{
    Q_OBJECT

public:
    // How the two months of the range are set.
    enum class RangeFields {
        // A month list and a year field a month, on two rows below the range
        // choice; idle until the range is chosen.
        MonthAndYearRows,
        // A month field ("MM.yyyy") a month, on the line of the range choice;
        // changing one chooses the range.
        MonthFieldsInLine,
    };

    struct Choice
    {
        PeriodChoice::Kind kind;
        const char *objectName;
        // "%1" in it stands for the months the choice covers.
        QString caption;
    };

    struct Options
    {
        QList<Choice> choices; // as shown; a range choice comes last
        RangeFields rangeFields = RangeFields::MonthAndYearRows;
        PeriodChoice::Rules rules{};
    };

    explicit PeriodChooser(QWidget *parent = nullptr);

    // Once, before it is shown.
    void offer(const Options &options);

    // Chooses the open month; the range starts and ends on it.
    void prepare(const QDate &openMonth, const QDate &today = {});

    // The months "all months" covers; before prepare.
    void setUserMonths(const MonthRange &months) { m_userMonths = months; }

    PeriodChoice::Kind kind() const;
    // `today` counts only where the last months end today.
    MonthRange months(const QDate &today = {}) const;

signals:
    void changed();

private:
    // One end of the range: a month list and a year field, or a month field.
    struct MonthFields
    {
        QComboBox *month = nullptr;
        QSpinBox *year = nullptr;
        QDateEdit *date = nullptr;

        QDate value() const;
        void set(const QDate &day) const;
    };

    void addRangeRows(int row);
    void addRangeLine(int row, QRadioButton *range);
    void update();

    Options m_options;
    QDate m_openMonth;
    MonthRange m_userMonths;
    QGridLayout *m_layout = nullptr;
    QList<QRadioButton *> m_radios; // one a choice, in their order
    MonthFields m_from, m_to;
};
