#pragma once

#include "exchange/import_plan.h"

#include <QDialog>

#include <array>
#include <memory>

namespace Ui {
class TImportierenDlg;
}
class QComboBox;
class UiSeam;

// "Datei" → "Importieren …": which column holds which value, and per month
// what "Übernehmen" will add, find present or cannot place, and the faulty
// lines with their reasons. Nothing is written here.
class TImportierenDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TImportierenDlg(UiSeam &seam, QWidget *parent = nullptr);
    ~TImportierenDlg() override;

    // Guesses the columns and the date form, asking when the dates cannot
    // decide, and shows the preview.
    void prepare(const CsvImport::Table &table, const QString &fileName,
                 const ImportTarget &target);

    // The preview of the columns and date form as now chosen.
    const ImportPreview &preview() const { return m_preview; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    ColumnMapping mapping() const;
    void fillColumnChoices();
    void chooseDateForm();
    void columnChanged(ImportField field);
    void showPreview();
    void showFileLine();
    void widenForPreview();
    void fitFreeArea(); // within the screen's free area, frame included

    std::unique_ptr<Ui::TImportierenDlg> ui;
    UiSeam &m_seam;
    std::array<QComboBox *, kImportFieldCount> m_columns{};
    CsvImport::Table m_table;
    QString m_fileName;
    ImportTarget m_target;
    ImportPreview m_preview;
    bool m_filling = false;
};
