#pragma once

#include "exchange/export_period.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TExportierenDlg;
}

// "Datei" → "Exportieren …": the period and the format of an export.
class TExportierenDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TExportierenDlg(QWidget *parent = nullptr);
    ~TExportierenDlg() override;

    // Names the open month in its choice; the range starts on it.
    void prepare(const QDate &openMonth);

    // The last months end with `today`'s.
    MonthRange months(const QDate &today) const;
    ExportPeriod::Format format() const;

private:
    std::unique_ptr<Ui::TExportierenDlg> ui;
};
