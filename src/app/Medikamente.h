#pragma once

#include "journal/medication.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TMedikamenteDlg;
}

class TDosisDlg;
class UiSeam;
class VersionKeeping;

// The user's medications: the list, and the fields of one entry below it.
// Every change is saved at once, the earlier list kept as a version. A list
// that cannot be read, or one of a newer version, is shown and left alone.
class TMedikamenteDlg : public QDialog
{
    Q_OBJECT

public:
    TMedikamenteDlg(UiSeam &seam, VersionKeeping &versionKeeping, QWidget *parent = nullptr);
    ~TMedikamenteDlg() override;

    // Reads the user's list; the fields empty, the days today.
    void prepare(const QString &galleryFolder, const QString &user);

private slots:
    void HinzufuegenBtnClick();
    void AendernBtnClick();
    void BeendenBtnClick();
    void DosisBtnClick();
    void LoeschenBtnClick();
    void showSelected();

private:
    Medication fromFields() const;
    // The plan's line of the selected row; -1 without one.
    qsizetype selectedLine() const;
    // Saves `next`; it becomes the list once it is written. `refusal` is
    // what the plan's edit said: shown instead, nothing saved.
    bool apply(const QString &refusal, const MedicationFile::Plan &next, qsizetype selected);
    void showPlan(qsizetype selected);

    std::unique_ptr<Ui::TMedikamenteDlg> ui;
    UiSeam &m_seam;
    VersionKeeping &m_versionKeeping;
    TDosisDlg *m_dose;
    QString m_galleryFolder;
    QString m_user;
    MedicationFile::Plan m_plan;
    QString m_problem; // set: the file stays as it is
};
