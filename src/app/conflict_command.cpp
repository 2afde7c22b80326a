#include "app/conflict_command.h"

#include "app/command_guard.h"
#include "app/month_commands.h"
#include "app/version_keeping.h"
#include "base/german_quotes.h"
#include "base/text_file.h"
#include "journal/slots.h"
#include "storage/conflict_copies.h"
#include "storage/open_month.h"
#include "storage/setting_key.h"
#include "storage/settings_store.h"
#include "ui/seam.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using ConflictCopies::Copy;
using ConflictCopies::RemarkChoice;

// The dialog's answers beside Accepted (take over) and Rejected (skip).
constexpr int kStopAll = 2;

QString toolName(ConflictCopies::Tool tool)
{
    switch (tool) {
    case ConflictCopies::Tool::Syncthing:
        return QStringLiteral("Syncthing");
    case ConflictCopies::Tool::Nextcloud:
        return QStringLiteral("Nextcloud");
    case ConflictCopies::Tool::Dropbox:
        return QStringLiteral("Dropbox");
    }
    return QString();
}

QString readingsText(int count)
{
    return count == 1 ? QStringLiteral("1 Messung") : QStringLiteral("%1 Messungen").arg(count);
}

QString keptFolder(const Copy &copy)
{
    return QStringLiteral("Sicherungen/") + QString::number(copy.year);
}

// The frame both previews share: what the copy is, what follows, and the
// buttons "Übernehmen", "Überspringen" and "Abbrechen".
struct PreviewFrame
{
    QDialog dialog;
    QVBoxLayout *layout;
    QLabel *hint;

    PreviewFrame(QWidget *parent, const Copy &copy)
        : dialog(parent)
        , layout(new QVBoxLayout(&dialog))
        , hint(new QLabel(&dialog))
    {
        dialog.setObjectName(QStringLiteral("KonflikteDlg"));
        dialog.setWindowTitle(QStringLiteral("Konflikte zusammenführen"));
        dialog.resize(680, 460);
        auto *file = new QLabel(QStringLiteral("%1 ließ neben %2 die Konfliktkopie %3 zurück.")
                                    .arg(toolName(copy.tool),
                                         germanQuoted(QFileInfo(copy.originalPath).fileName()),
                                         germanQuoted(QFileInfo(copy.path).fileName())),
                                &dialog);
        file->setObjectName(QStringLiteral("DateiLabel"));
        file->setWordWrap(true);
        layout->addWidget(file);
    }

    void finish(bool canTakeOver)
    {
        hint->setObjectName(QStringLiteral("HinweisLabel"));
        hint->setWordWrap(true);
        layout->addWidget(hint);
        auto *buttons = new QDialogButtonBox(&dialog);
        const auto add = [&](const QString &name, const QString &text,
                             QDialogButtonBox::ButtonRole role, int answer) {
            QPushButton *button = buttons->addButton(text, role);
            button->setObjectName(name);
            QObject::connect(button, &QPushButton::clicked, &dialog,
                             [this, answer] { dialog.done(answer); });
            return button;
        };
        add(QStringLiteral("UebernehmenBtn"), QStringLiteral("Übernehmen"),
            QDialogButtonBox::AcceptRole, QDialog::Accepted)
            ->setEnabled(canTakeOver);
        add(QStringLiteral("UeberspringenBtn"), QStringLiteral("Überspringen"),
            QDialogButtonBox::RejectRole, QDialog::Rejected);
        add(QStringLiteral("AbbrechenBtn"), QStringLiteral("Abbrechen"),
            QDialogButtonBox::DestructiveRole, kStopAll);
        layout->addWidget(buttons);
    }
};

// Each reading of the copy with what becomes of it, in the import
// preview's table style.
void fillTable(QTableWidget &table, const ConflictCopies::MonthPreview &preview)
{
    table.setObjectName(QStringLiteral("VorschauTabelle"));
    table.setColumnCount(4);
    table.setHorizontalHeaderLabels({QStringLiteral("Datum"), QStringLiteral("Messung"),
                                     QStringLiteral("Werte"), QStringLiteral("Was geschieht")});
    table.setEditTriggers(QAbstractItemView::NoEditTriggers);
    table.verticalHeader()->hide();
    const auto addRows = [&table](const QList<Reading> &readings, const QString &what) {
        for (const Reading &reading : readings) {
            const int row = table.rowCount();
            table.insertRow(row);
            const QStringList cells = {reading.date.toString(QStringLiteral("dd.MM.yyyy")) +
                                           QLatin1Char(' ') + reading.time,
                                       slotInfo(reading.slot).buttonCaption,
                                       QStringLiteral("%1/%2, Puls %3")
                                           .arg(reading.systolic)
                                           .arg(reading.diastolic)
                                           .arg(reading.pulse),
                                       what};
            for (int column = 0; column < int(cells.size()); ++column)
                table.setItem(row, column, new QTableWidgetItem(cells.at(column)));
        }
    };
    addRows(preview.onlyInCopy, QStringLiteral("nur in der Kopie: wird übernommen"));
    addRows(preview.inBoth, QStringLiteral("in beiden: bleibt, wie sie ist"));
    addRows(preview.unplaced, QStringLiteral("kein freier Platz: bleibt in der Kopie"));
    table.resizeColumnsToContents();
    table.horizontalHeader()->setStretchLastSection(true);
}

int askMonth(const MonthCommands &c, const ConflictCopies::MonthPreview &preview)
{
    PreviewFrame frame(&c.window, preview.copy);
    auto *counts = new QLabel(&frame.dialog);
    counts->setObjectName(QStringLiteral("ZahlenLabel"));
    counts->setText(QStringLiteral("Nur in der Kopie: %1 · In beiden: %2 · Ohne freien Platz: %3")
                        .arg(preview.onlyInCopy.size())
                        .arg(preview.inBoth.size())
                        .arg(preview.unplaced.size()));
    frame.layout->addWidget(counts);
    auto *table = new QTableWidget(&frame.dialog);
    fillTable(*table, preview);
    frame.layout->addWidget(table, 1);
    const QString original = germanQuoted(QFileInfo(preview.copy.originalPath).fileName());
    const QString kept = germanQuoted(keptFolder(preview.copy));
    if (preview.copyUnreadable) {
        frame.hint->setText(QStringLiteral("Die Konfliktkopie kann nicht gelesen werden; sie "
                                           "bleibt, wo sie ist."));
    } else if (preview.onlyInCopy.isEmpty()) {
        frame.hint->setText(QStringLiteral("Die Kopie enthält keine Messung, die %1 noch fehlt. "
                                           "„Übernehmen“ legt sie im Ordner %2 ab.")
                                .arg(original, kept));
    } else {
        frame.hint->setText(QStringLiteral("„Übernehmen“ trägt %1 in %2 ein, ohne eine "
                                           "gespeicherte Messung zu ändern, und legt die Kopie "
                                           "im Ordner %3 ab.")
                                .arg(readingsText(int(preview.onlyInCopy.size())), original, kept));
    }
    frame.finish(!preview.copyUnreadable);
    return c.seam.execDialog(frame.dialog);
}

int askRemark(const MonthCommands &c, const Copy &copy, RemarkChoice &choice)
{
    PreviewFrame frame(&c.window, copy);
    const auto textOf = [](const QString &path) {
        const std::optional<QStringList> lines =
            QFileInfo::exists(path) ? TextFile::readLines(path) : QStringList();
        return lines ? lines->join(QLatin1Char('\n')) : QString();
    };
    auto *texts = new QHBoxLayout;
    const auto addText = [&](const char *name, const QString &title, const QString &text) {
        auto *group = new QGroupBox(title, &frame.dialog);
        auto *groupLayout = new QVBoxLayout(group);
        auto *edit = new QPlainTextEdit(text, group);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(true);
        edit->setAccessibleName(title);
        groupLayout->addWidget(edit);
        texts->addWidget(group);
    };
    addText("EigeneBemerkung", QStringLiteral("Ihre Bemerkung"), textOf(copy.originalPath));
    addText("KopieBemerkung", QStringLiteral("Bemerkung der Kopie"), textOf(copy.path));
    frame.layout->addLayout(texts, 1);
    auto *own = new QRadioButton(QStringLiteral("Ihre Bemerkung behalten"), &frame.dialog);
    own->setObjectName(QStringLiteral("EigeneRadio"));
    auto *theirs = new QRadioButton(QStringLiteral("Bemerkung der Kopie nehmen"), &frame.dialog);
    theirs->setObjectName(QStringLiteral("KopieRadio"));
    auto *both = new QRadioButton(QStringLiteral("Beide behalten, durch eine Leerzeile getrennt"),
                                  &frame.dialog);
    both->setObjectName(QStringLiteral("BeideRadio"));
    both->setChecked(true);
    for (QRadioButton *button : {own, theirs, both})
        frame.layout->addWidget(button);
    frame.hint->setText(QStringLiteral("„Übernehmen“ speichert die gewählte Bemerkung und legt "
                                       "die Kopie im Ordner %1 ab.")
                            .arg(germanQuoted(keptFolder(copy))));
    frame.finish(true);
    const int answer = c.seam.execDialog(frame.dialog);
    choice = own->isChecked()      ? RemarkChoice::KeepOriginal
             : theirs->isChecked() ? RemarkChoice::TakeCopy
                                   : RemarkChoice::Both;
    return answer;
}

bool isOpenMonthsFile(const MonthCommands &c, const Copy &copy)
{
    const QString original = QDir::cleanPath(copy.originalPath);
    const OpenMonth &month = c.month;
    return (!month.path().isEmpty() && QDir::cleanPath(month.path()) == original) ||
           (month.hasStoredRemarkBase() && QDir::cleanPath(month.storedRemarkPath()) == original);
}

void mergeConflicts(const MonthCommands &c)
{
    QMainWindow &form = c.window;
    const QString gallery = c.month.galleryFolder();
    const QString user = c.month.userName();
    const QList<Copy> copies = ConflictCopies::find(gallery, user);
    if (copies.isEmpty()) {
        c.seam.showMessage(&form, UiSeam::MessageKind::Information,
                           QStringLiteral("In Ihrer Galerie liegt keine Konfliktkopie."));
        c.showStatus(QString());
        return;
    }
    std::array<QString, 4> slotTimes;
    for (Slot slot : kAllSlots)
        slotTimes[std::size_t(slot)] = c.settings.read(timeSettingOf(slot));
    int merged = 0;
    for (const Copy &copy : copies) {
        QString problem;
        QString versionProblem;
        int answer = QDialog::Rejected;
        if (copy.remark) {
            RemarkChoice choice = RemarkChoice::Both;
            answer = askRemark(c, copy, choice);
            if (answer == QDialog::Accepted)
                problem =
                    ConflictCopies::mergeRemark(copy, choice, gallery, nullptr, &versionProblem);
        } else {
            const ConflictCopies::MonthPreview preview =
                ConflictCopies::previewMonth(copy, gallery, user, slotTimes);
            answer = askMonth(c, preview);
            if (answer == QDialog::Accepted)
                problem =
                    ConflictCopies::mergeMonth(preview, gallery, user, nullptr, &versionProblem);
        }
        if (answer == kStopAll)
            break;
        if (answer != QDialog::Accepted)
            continue;
        // The open month shows its file anew before anything else is told:
        // the window must not take its own merge for another program's.
        if (isOpenMonthsFile(c, copy))
            c.reload();
        if (!problem.isEmpty()) {
            c.seam.showMessage(&form, UiSeam::MessageKind::Warning, problem);
            continue;
        }
        if (!versionProblem.isEmpty())
            c.versionKeeping.tellOnce(&form, versionProblem);
        ++merged;
    }
    const qsizetype left = ConflictCopies::find(gallery, user).size();
    c.showStatus(left > 0     ? ConflictCopies::foundMessage(left)
                 : merged > 0 ? QStringLiteral("Konflikte zusammengeführt.")
                              : QString());
}

} // namespace

QString conflictCopiesNotice(const OpenMonth &month)
{
    if (month.userName().isEmpty() || month.galleryFolder().isEmpty())
        return QString();
    const qsizetype count = ConflictCopies::find(month.galleryFolder(), month.userName()).size();
    return count > 0 ? ConflictCopies::foundMessage(count) : QString();
}

void installConflictMerge(const MonthCommands &commands)
{
    QMainWindow &form = commands.window;
    auto *action = new QAction(QStringLiteral("Konflikte zusammenführen …"), &form);
    action->setObjectName(QStringLiteral("KonflikteZusammenfuehren1"));
    // Beside the import, the other way readings come into the gallery.
    QMenu *file = form.findChild<QMenu *>(QStringLiteral("Datei1"));
    const QList<QAction *> actions = file->actions();
    const qsizetype import =
        actions.indexOf(form.findChild<QAction *>(QStringLiteral("Importieren1")));
    QAction *before = import >= 0 && import + 1 < actions.size() ? actions.at(import + 1) : nullptr;
    file->insertAction(before, action);
    QObject::connect(action, &QAction::triggered, &form, [commands] {
        runGuarded(commands.seam, &commands.window, [&commands] { mergeConflicts(commands); });
    });
}
