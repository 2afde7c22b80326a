#include "table/Tabellep.h"

TTabellenDlg::TTabellenDlg(UiSeam &seam, QWidget *parent) : QDialog(parent), m_seam(seam)
{
    setObjectName(QStringLiteral("TabellenDlg"));
}

TTabellenDlg::~TTabellenDlg() = default;

void TTabellenDlg::ErstelleTabelle(const QStringList &)
{
}
