#include "app/info.h"

#include "ui_info.h"

#include <QApplication>
#include <QIcon>
#include <QPushButton>

TInfoDlg::TInfoDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TInfoDlg>())
{
    ui->setupUi(this);
    // One size for its fixed content: the window manager offers no maximize.
    setFixedSize(size().expandedTo(minimumSizeHint()));
    setObjectName(QStringLiteral("InfoDlg"));
    // The OK button says "OK" whatever translation is loaded.
    ui->OKButton->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        ui->ProgramIcon->setPixmap(icon.pixmap(64, 64));
}

TInfoDlg::~TInfoDlg() = default;
