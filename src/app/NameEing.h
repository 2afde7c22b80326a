#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class TNameEingDlg;
}
class SettingsStore;
class UiSeam;

// Asks for the name of the person whose readings are recorded; the name
// becomes the first part of every month file name.
class TNameEingDlg : public QDialog
{
    Q_OBJECT

public:
    TNameEingDlg(UiSeam &seam, const SettingsStore &settings, QWidget *parent = nullptr);
    ~TNameEingDlg() override;

    QString enteredName() const;
    void setEnteredName(const QString &name);

    void OKBtnClick();
    void CancelBtnClick();

signals:
    // OK with an acceptable name, after it was stored: the main window sets
    // its captions and starts a new month.
    void nameAccepted(const QString &name);

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    std::unique_ptr<Ui::TNameEingDlg> ui;
    UiSeam &m_seam;
    const SettingsStore &m_settings;
};
