#pragma once

#include "report/report_period.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TArztberichtDlg;
}

// Chooses the period of a doctor's report: the open month, the three months
// up to it, or a range of months across year ends. The report is always of
// the open user.
class TArztberichtDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TArztberichtDlg(QWidget *parent = nullptr);
    ~TArztberichtDlg() override;

    // Starts with the open month chosen; the range begins and ends there.
    void prepare(const QString &user, const QDate &openMonth);
    ReportPeriod period() const;

private:
    void updateRange();

    std::unique_ptr<Ui::TArztberichtDlg> ui;
};
