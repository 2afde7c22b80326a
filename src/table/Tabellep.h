#pragma once

#include <QDialog>
#include <QStringList>

class UiSeam;

// The month table window: the open month as a grid of 31 days by four slots.
class TTabellenDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TTabellenDlg(UiSeam &seam, QWidget *parent = nullptr);
    ~TTabellenDlg() override;

    // Rebuilds the whole grid from the entry list (display lines).
    void ErstelleTabelle(const QStringList &displayLines);

private:
    UiSeam &m_seam;
};
