#include "app/Fassungen.h"

#include "app/entry_list_model.h"
#include "app/tab_stop_delegate.h"
#include "journal/entry_line.h"
#include "ui_Fassungen.h"

TFassungenDlg::TFassungenDlg(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TFassungenDlg>())
{
    ui->setupUi(this);
    // One size for its fixed content, small enough for a low screen: the
    // window manager offers no maximize.
    setFixedSize(size().expandedTo(minimumSizeHint()));
    // The readings look as in the main window's list.
    ui->MessungenListe->setItemDelegate(
        new TabStopDelegate({60, 110, 145, 180, 210, 240}, ui->MessungenListe));
    connect(ui->FassungenListe, &QTreeWidget::currentItemChanged, this,
            &TFassungenDlg::showReadings);
    connect(ui->WiederherstellenBtn, &QPushButton::clicked, this, &TFassungenDlg::accept);
    connect(ui->SchliessenBtn, &QPushButton::clicked, this, &TFassungenDlg::reject);
}

TFassungenDlg::~TFassungenDlg() = default;

void TFassungenDlg::prepare(const QString &monthFileName,
                            const QList<MonthVersions::Summary> &versions)
{
    m_versions = versions;
    ui->TabelleLabel->setText(QStringLiteral("&Frühere Fassungen der Tabelle „") + monthFileName +
                              QStringLiteral("“:"));
    ui->FassungenListe->clear();
    for (const MonthVersions::Summary &summary : versions) {
        const QString readable = QStringLiteral("nicht lesbar");
        ui->FassungenListe->addTopLevelItem(new QTreeWidgetItem(
            {summary.version.time.toString(QStringLiteral("dd.MM.yyyy  HH:mm:ss")),
             summary.readable ? MonthVersions::readingsText(summary.readings) : readable,
             summary.readable ? MonthVersions::differenceText(summary.gained, summary.lost)
                              : QString()}));
    }
    for (int column = 0; column < ui->FassungenListe->columnCount(); ++column)
        ui->FassungenListe->resizeColumnToContents(column);
    ui->FassungenListe->setCurrentItem(nullptr);
    ui->FassungenListe->setFocus();
    showReadings();
}

std::optional<QString> TFassungenDlg::chosen() const
{
    const int row = ui->FassungenListe->indexOfTopLevelItem(ui->FassungenListe->currentItem());
    if (row < 0 || !m_versions.at(row).readable)
        return std::nullopt;
    return m_versions.at(row).version.path;
}

void TFassungenDlg::showReadings()
{
    ui->MessungenListe->clear();
    const int row = ui->FassungenListe->indexOfTopLevelItem(ui->FassungenListe->currentItem());
    ui->WiederherstellenBtn->setEnabled(row >= 0 && m_versions.at(row).readable);
    if (row < 0)
        return;
    for (const QString &line : m_versions.at(row).fileLines) {
        if (!EntryLine::isEntryLine(line))
            continue;
        const std::optional<QString> shown = EntryLine::toDisplayLine(line);
        auto *item = new QListWidgetItem(shown ? *shown : line, ui->MessungenListe);
        item->setData(EntryListModel::PiecesRole, EntryListModel::piecesOf(item->text()));
    }
}
