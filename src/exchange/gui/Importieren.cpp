#include "exchange/gui/Importieren.h"

#include "exchange/import_report.h"
#include "ui/seam.h"
#include "ui_Importieren.h"

#include <QHeaderView>
#include <QLayout>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

namespace {

using ImportValues::DateForm;

// The order of the entries of the combo box "DatumsForm".
constexpr std::array<DateForm, 4> kDateForms = {DateForm::DayMonthYear, DateForm::YearMonthDay,
                                                DateForm::MonthDayYear,
                                                DateForm::DayMonthYearSlash};

QString lineNumbers(const QList<int> &lines)
{
    if (lines.isEmpty())
        return QStringLiteral("0");
    QStringList numbers;
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), 5); ++i)
        numbers.append(QString::number(lines.at(i)));
    if (lines.size() > 5)
        numbers.append(QStringLiteral("…"));
    return QStringLiteral("%1 (Zeile %2)")
        .arg(lines.size())
        .arg(numbers.join(QStringLiteral(", ")));
}

} // namespace

TImportierenDlg::TImportierenDlg(UiSeam &seam, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TImportierenDlg>())
    , m_seam(seam)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("ImportierenDlg"));
    m_columns = {ui->SpalteDatum, ui->SpalteUhrzeit, ui->SpalteSystolisch, ui->SpalteDiastolisch,
                 ui->SpaltePuls,  ui->SpalteGewicht, ui->SpalteMessung};
    ui->VorschauTabelle->setColumnCount(5);
    ui->VorschauTabelle->setHorizontalHeaderLabels(
        {QStringLiteral("Monat"), QStringLiteral("Neu"), QStringLiteral("Schon vorhanden"),
         QStringLiteral("Ohne freien Platz"), QStringLiteral("Fehlerhafte Zeilen")});
    for (ImportField field : kImportFields) {
        connect(m_columns[std::size_t(field)], &QComboBox::currentIndexChanged, this,
                [this, field] { columnChanged(field); });
    }
    connect(ui->DatumsForm, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling)
            showPreview();
    });
    connect(ui->UebernehmenBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->AbbrechenBtn, &QPushButton::clicked, this, &QDialog::reject);
}

TImportierenDlg::~TImportierenDlg() = default;

void TImportierenDlg::prepare(const CsvImport::Table &table, const QString &fileName,
                              const ImportTarget &target)
{
    m_table = table;
    m_fileName = fileName;
    m_target = target;
    fillColumnChoices();
    chooseDateForm();
    showPreview();
    ui->UebernehmenBtn->setFocus();
}

ColumnMapping TImportierenDlg::mapping() const
{
    ColumnMapping result;
    for (std::size_t i = 0; i < kImportFieldCount; ++i)
        result[i] = m_columns[i]->currentIndex() - 1; // the first entry is "(keine)"
    return result;
}

void TImportierenDlg::fillColumnChoices()
{
    const QScopedValueRollback filling(m_filling, true);
    const ColumnMapping guessed = ImportColumns::guess(m_table.header);
    for (std::size_t i = 0; i < kImportFieldCount; ++i) {
        QComboBox *box = m_columns[i];
        box->clear();
        box->addItem(QStringLiteral("(keine)"));
        for (int column = 0; column < int(m_table.header.size()); ++column)
            box->addItem(QStringLiteral("%1: %2").arg(column + 1).arg(m_table.header.at(column)));
        box->setCurrentIndex(guessed[i] + 1);
    }
}

void TImportierenDlg::chooseDateForm()
{
    const QStringList dates = CsvImport::dateTexts(m_table, mapping());
    const QList<DateForm> forms = ImportValues::fittingDateForms(dates);
    if (forms.isEmpty())
        return;
    DateForm chosen = forms.constFirst();
    if (forms.contains(DateForm::MonthDayYear) && forms.contains(DateForm::DayMonthYearSlash)) {
        const auto sample = std::find_if(dates.begin(), dates.end(), [](const QString &date) {
            return ImportValues::parseDate(date, DateForm::MonthDayYear) !=
                   ImportValues::parseDate(date, DateForm::DayMonthYearSlash);
        });
        const QString example = sample != dates.end() ? *sample : dates.constFirst();
        chosen = m_seam.askYesNo(this, UiSeam::MessageKind::Question,
                                 ImportValues::slashDateQuestion(example))
                     ? DateForm::MonthDayYear
                     : DateForm::DayMonthYearSlash;
    }
    const QScopedValueRollback filling(m_filling, true);
    ui->DatumsForm->setCurrentIndex(
        int(std::find(kDateForms.begin(), kDateForms.end(), chosen) - kDateForms.begin()));
}

void TImportierenDlg::columnChanged(ImportField field)
{
    if (m_filling)
        return;
    if (field == ImportField::Date)
        chooseDateForm();
    showPreview();
}

void TImportierenDlg::showPreview()
{
    const int formIndex = std::max(0, ui->DatumsForm->currentIndex());
    m_preview =
        ImportPlan::preview(m_table, mapping(), kDateForms[std::size_t(formIndex)], m_target);
    const QList<ImportReport::MonthRow> rows =
        ImportReport::rows(m_preview.plan, m_preview.readings.faulty);
    QTableWidget *table = ui->VorschauTabelle;
    table->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        const ImportReport::MonthRow &row = rows.at(i);
        const QStringList cells = {row.title, QString::number(row.added),
                                   QString::number(row.present), QString::number(row.unplaced),
                                   lineNumbers(row.faultyLines)};
        for (int column = 0; column < int(cells.size()); ++column)
            table->setItem(i, column, new QTableWidgetItem(cells.at(column)));
    }
    table->resizeColumnsToContents();
    widenForPreview();
    ui->FehlerListe->setPlainText(ImportReport::faultyLinesText(m_preview.readings.faulty));
    const int added = m_preview.plan.added();
    ui->HinweisLabel->setText(
        !m_preview.problem.isEmpty() ? m_preview.problem
        : added == 0
            ? QStringLiteral("Die Datei enthält keine Messung, die noch übernommen werden kann.")
            : QStringLiteral("„Übernehmen“ trägt %1 %2 in Ihre Monatsdateien ein.")
                  .arg(added)
                  .arg(added == 1 ? QStringLiteral("Messung") : QStringLiteral("Messungen")));
    ui->UebernehmenBtn->setEnabled(m_preview.problem.isEmpty() && added > 0);
    showFileLine();
}

void TImportierenDlg::widenForPreview()
{
    // The preview's columns show whole, its last ("Fehlerhafte Zeilen")
    // included, as far as the screen's free area allows.
    QTableWidget *table = ui->VorschauTabelle;
    layout()->activate(); // the table's width before the dialog is first shown
    int columns = 0;
    for (int column = 0; column < table->columnCount(); ++column)
        columns += table->columnWidth(column);
    const int needed = columns + table->verticalHeader()->width() + 2 * table->frameWidth() +
                       table->verticalScrollBar()->sizeHint().width();
    const int missing = needed - table->width();
    if (missing > 0)
        resize(width() + missing, height());
    fitFreeArea();
}

void TImportierenDlg::fitFreeArea()
{
    const QScreen *screen = this->screen();
    if (!screen)
        return;
    // Until the window manager has framed the dialog, room for a title bar.
    QSize frame = frameGeometry().size() - geometry().size();
    if (frame.isEmpty())
        frame = QSize(8, 40);
    const QRect free = screen->availableGeometry();
    resize(size().boundedTo(free.size() - frame));
    QRect outer(frameGeometry().topLeft(), size() + frame);
    if (!free.contains(outer)) {
        outer.moveCenter(free.center());
        move(std::max(outer.left(), free.left()), std::max(outer.top(), free.top()));
    }
}

void TImportierenDlg::showEvent(QShowEvent *event)
{
    fitFreeArea();
    QDialog::showEvent(event);
}

void TImportierenDlg::showFileLine()
{
    const QString separator = m_table.separator == u'\t'
                                  ? QStringLiteral("Tabulator")
                                  : QStringLiteral("„%1“").arg(m_table.separator);
    ui->DateiLabel->setText(
        QStringLiteral("Datei „%1“: %2, Trennzeichen %3, Kopfzeile in Zeile %4, "
                       "%5 Zeilen darunter")
            .arg(m_fileName, m_table.encoding, separator)
            .arg(m_table.headerLine)
            .arg(m_table.rows.size()));
}
