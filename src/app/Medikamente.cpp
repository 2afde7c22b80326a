#include "app/Medikamente.h"

#include "app/DosisAendern.h"
#include "app/version_keeping.h"
#include "base/german_quotes.h"
#include "storage/medication_store.h"
#include "ui/seam.h"
#include "ui_Medikamente.h"

#include <QDateTime>

namespace {

QString dayText(const std::optional<QDate> &day)
{
    return day ? day->toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

} // namespace

TMedikamenteDlg::TMedikamenteDlg(UiSeam &seam, VersionKeeping &versionKeeping, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::TMedikamenteDlg>())
    , m_seam(seam)
    , m_versionKeeping(versionKeeping)
    , m_dose(new TDosisDlg(this))
{
    ui->setupUi(this);
    ui->LetzterTagEdit->setEnabled(false);
    connect(ui->LetzterTagCheck, &QCheckBox::toggled, ui->LetzterTagEdit, &QWidget::setEnabled);
    connect(ui->MedikamenteListe, &QTreeWidget::currentItemChanged, this,
            &TMedikamenteDlg::showSelected);
    connect(ui->HinzufuegenBtn, &QPushButton::clicked, this, &TMedikamenteDlg::HinzufuegenBtnClick);
    connect(ui->AendernBtn, &QPushButton::clicked, this, &TMedikamenteDlg::AendernBtnClick);
    connect(ui->BeendenBtn, &QPushButton::clicked, this, &TMedikamenteDlg::BeendenBtnClick);
    connect(ui->DosisBtn, &QPushButton::clicked, this, &TMedikamenteDlg::DosisBtnClick);
    connect(ui->LoeschenBtn, &QPushButton::clicked, this, &TMedikamenteDlg::LoeschenBtnClick);
    connect(ui->SchliessenBtn, &QPushButton::clicked, this, &TMedikamenteDlg::accept);
}

TMedikamenteDlg::~TMedikamenteDlg() = default;

void TMedikamenteDlg::prepare(const QString &galleryFolder, const QString &user)
{
    m_galleryFolder = galleryFolder;
    m_user = user;
    setWindowTitle(QStringLiteral("Medikamente von ") + user);
    MedicationStore::Loaded loaded = MedicationStore::load(galleryFolder, user);
    m_plan = std::move(loaded.plan);
    m_problem = loaded.problem;
    for (QLineEdit *edit : {ui->NameEdit, ui->StaerkeEdit, ui->EinnahmeEdit, ui->NotizEdit})
        edit->clear();
    const QDate today = m_seam.today();
    ui->ErsterTagEdit->setDate(today);
    ui->LetzterTagEdit->setDate(today);
    ui->LetzterTagCheck->setChecked(false);
    for (QPushButton *button :
         {ui->HinzufuegenBtn, ui->AendernBtn, ui->BeendenBtn, ui->DosisBtn, ui->LoeschenBtn})
        button->setEnabled(m_problem.isEmpty());
    showPlan(-1);
    ui->NameEdit->setFocus();
}

void TMedikamenteDlg::showPlan(qsizetype selected)
{
    QStringList hints;
    if (!m_problem.isEmpty())
        hints.append(m_problem);
    const QStringList damaged = m_plan.damagedNotes();
    if (!damaged.isEmpty())
        hints.append(QStringLiteral("Diese Zeilen der Datei lassen sich nicht lesen und bleiben "
                                    "unverändert erhalten: ") +
                     damaged.join(QStringLiteral("; ")));
    ui->HinweisLabel->setText(hints.join(QLatin1Char('\n')));
    ui->HinweisLabel->setVisible(!hints.isEmpty());

    QSignalBlocker blocker(ui->MedikamenteListe);
    ui->MedikamenteListe->clear();
    QTreeWidgetItem *current = nullptr;
    for (qsizetype i = 0; i < m_plan.lines.size(); ++i) {
        const MedicationFile::Line &line = m_plan.lines.at(i);
        if (!line.medication && line.reason.isEmpty())
            continue; // a note of the file's reader
        auto *item =
            line.medication
                ? new QTreeWidgetItem({line.medication->name, line.medication->strength,
                                       line.medication->intake, dayText(line.medication->firstDay),
                                       dayText(line.medication->lastDay),
                                       line.medication->note.simplified()})
                : new QTreeWidgetItem(
                      {QStringLiteral("Zeile %1: nicht lesbar").arg(line.lineNumber), QString(),
                       QString(), QString(), QString(), line.text});
        if (!line.medication)
            item->setForeground(0, palette().color(QPalette::Disabled, QPalette::Text));
        item->setData(0, Qt::UserRole, qlonglong(i));
        ui->MedikamenteListe->addTopLevelItem(item);
        if (i == selected)
            current = item;
    }
    for (int column = 0; column < ui->MedikamenteListe->columnCount(); ++column)
        ui->MedikamenteListe->resizeColumnToContents(column);
    ui->MedikamenteListe->setCurrentItem(current);
}

qsizetype TMedikamenteDlg::selectedLine() const
{
    const QTreeWidgetItem *item = ui->MedikamenteListe->currentItem();
    return item ? qsizetype(item->data(0, Qt::UserRole).toLongLong()) : -1;
}

void TMedikamenteDlg::showSelected()
{
    const qsizetype line = selectedLine();
    if (line < 0 || !m_plan.lines.at(line).medication)
        return;
    const Medication &medication = *m_plan.lines.at(line).medication;
    ui->NameEdit->setText(medication.name);
    ui->StaerkeEdit->setText(medication.strength);
    ui->EinnahmeEdit->setText(medication.intake);
    ui->NotizEdit->setText(medication.note);
    ui->ErsterTagEdit->setDate(medication.firstDay);
    ui->LetzterTagCheck->setChecked(medication.lastDay.has_value());
    ui->LetzterTagEdit->setDate(medication.lastDay.value_or(m_seam.today()));
}

Medication TMedikamenteDlg::fromFields() const
{
    Medication medication;
    medication.name = ui->NameEdit->text().trimmed();
    medication.strength = ui->StaerkeEdit->text().trimmed();
    medication.intake = ui->EinnahmeEdit->text().trimmed();
    medication.note = ui->NotizEdit->text().trimmed();
    medication.firstDay = ui->ErsterTagEdit->date();
    if (ui->LetzterTagCheck->isChecked())
        medication.lastDay = ui->LetzterTagEdit->date();
    return medication;
}

bool TMedikamenteDlg::apply(const QString &refusal, const MedicationFile::Plan &next,
                            qsizetype selected)
{
    if (!refusal.isEmpty()) {
        m_seam.showMessage(this, UiSeam::MessageKind::Information, refusal);
        return false;
    }
    const MedicationStore::Saved saved =
        MedicationStore::save(m_galleryFolder, m_user, next, QDateTime::currentDateTime());
    if (!saved.problem.isEmpty()) {
        m_seam.showMessage(this, UiSeam::MessageKind::Warning, saved.problem);
        return false;
    }
    m_versionKeeping.tellOnce(this, saved.versionProblem);
    m_plan = next;
    showPlan(selected);
    return true;
}

void TMedikamenteDlg::HinzufuegenBtnClick()
{
    MedicationFile::Plan next = m_plan;
    const QString refusal = MedicationEdit::add(next, fromFields());
    apply(refusal, next, next.lines.size() - 1);
}

void TMedikamenteDlg::AendernBtnClick()
{
    MedicationFile::Plan next = m_plan;
    const qsizetype line = selectedLine();
    apply(MedicationEdit::change(next, line, fromFields()), next, line);
}

void TMedikamenteDlg::BeendenBtnClick()
{
    MedicationFile::Plan next = m_plan;
    const qsizetype line = selectedLine();
    const QDate lastDay =
        ui->LetzterTagCheck->isChecked() ? ui->LetzterTagEdit->date() : m_seam.today();
    apply(MedicationEdit::end(next, line, lastDay), next, line);
}

void TMedikamenteDlg::DosisBtnClick()
{
    const qsizetype line = selectedLine();
    if (line < 0 || !m_plan.lines.at(line).medication) {
        MedicationFile::Plan unchanged = m_plan;
        apply(MedicationEdit::end(unchanged, line, QDate()), unchanged, line);
        return;
    }
    m_dose->prepare(*m_plan.lines.at(line).medication, m_seam.today());
    if (m_seam.execDialog(*m_dose) != QDialog::Accepted)
        return;
    MedicationFile::Plan next = m_plan;
    const QString refusal =
        MedicationEdit::changeDose(next, line, m_dose->strength(), m_dose->intake(), m_dose->day());
    apply(refusal, next, line + 1);
}

void TMedikamenteDlg::LoeschenBtnClick()
{
    const qsizetype line = selectedLine();
    MedicationFile::Plan next = m_plan;
    if (line >= 0) {
        const MedicationFile::Line &chosen = m_plan.lines.at(line);
        const QString what =
            chosen.medication ? germanQuoted(chosen.medication->label())
                              : QStringLiteral("Die nicht lesbare Zeile %1").arg(chosen.lineNumber);
        if (!m_seam.askYesNo(this, UiSeam::MessageKind::Question,
                             what + QStringLiteral(" wirklich aus der Liste löschen? Zum Absetzen "
                                                   "nehmen Sie besser „Beenden“: dann bleibt es "
                                                   "im Arztbericht sichtbar.")))
            return;
    }
    apply(MedicationEdit::remove(next, line), next, -1);
}
