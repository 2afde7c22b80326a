#include "settings/einstell.h"

TEinstellDlg::TEinstellDlg(UiSeam &seam, const SettingsStore &settings, QWidget *parent)
    : QDialog(parent), m_seam(seam), m_settings(settings)
{
    setObjectName(QStringLiteral("EinstellDlg"));
}

TEinstellDlg::~TEinstellDlg() = default;

void TEinstellDlg::setShowValuesChecked(bool checked)
{
    m_showValues = checked;
}

bool TEinstellDlg::showValuesChecked() const
{
    return m_showValues;
}

void TEinstellDlg::setLabelColours(qint32, qint32, qint32)
{
}
