#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TInfoDlg;
}

// The about box.
class TInfoDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TInfoDlg(QWidget *parent = nullptr);
    ~TInfoDlg() override;

private:
    std::unique_ptr<Ui::TInfoDlg> ui;
};
