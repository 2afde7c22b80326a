#pragma once

#include "journal/medication.h"

#include <QDialog>

#include <memory>

namespace Ui {
class TDosisDlg;
}

// Asks for the new strength and intake of a medication and the day they
// start; the medication dialog makes the change.
class TDosisDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TDosisDlg(QWidget *parent = nullptr);
    ~TDosisDlg() override;

    // The present dose in the fields; the new one starts `proposedDay`.
    void prepare(const Medication &present, const QDate &proposedDay);
    QString strength() const;
    QString intake() const;
    QDate day() const;

private:
    std::unique_ptr<Ui::TDosisDlg> ui;
};
