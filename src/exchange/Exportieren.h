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

    ExportPeriod::Kind kind() const;
    ExportPeriod::Format format() const;
    QDate from() const;
    QDate to() const;

private:
    std::unique_ptr<Ui::TExportierenDlg> ui;
};
