#pragma once

#include "storage/month_range.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TJahresuebersichtDlg;
}

// Chooses the months of the overview page: the year of the open month, the
// last twelve months up to it, a range of months, or all months of the user.
class TJahresuebersichtDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TJahresuebersichtDlg(QWidget *parent = nullptr);
    ~TJahresuebersichtDlg() override;

    // Starts with the open month's year chosen; `userMonths` are the first
    // and last month the user has a file of (invalid for none).
    void prepare(const QString &user, const QDate &openMonth, const MonthRange &userMonths);
    MonthRange months() const;

private:
    void updateRange();

    std::unique_ptr<Ui::TJahresuebersichtDlg> ui;
};
