#pragma once

#include "storage/month_versions.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class TFassungenDlg;
}

// Lists the versions of the open month: when each was kept, its readings
// and what a restore would change. Selecting a version shows its readings;
// "Wiederherstellen" closes the dialog with that version chosen.
class TFassungenDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TFassungenDlg(QWidget *parent = nullptr);
    ~TFassungenDlg() override;

    // Shows the versions, newest first, none selected.
    void prepare(const QString &monthFileName, const QList<MonthVersions::Summary> &versions);
    // The version file of the selected row.
    std::optional<QString> chosen() const;

private:
    void showReadings();

    std::unique_ptr<Ui::TFassungenDlg> ui;
    QList<MonthVersions::Summary> m_versions;
};
