#include "app/backup_commands.h"

#include "app/Fassungen.h"
#include "app/command_guard.h"
#include "app/form_start.h"
#include "app/month_commands.h"
#include "app/version_keeping.h"
#include "base/german_quotes.h"
#include "storage/backup_restore.h"
#include "storage/gallery_archive.h"
#include "storage/month_versions.h"
#include "storage/open_month.h"
#include "storage/settings_store.h"
#include "storage/versions.h"
#include "ui/seam.h"

#include <QAction>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>

#include <algorithm>

namespace {

void restoreVersion(const MonthCommands &c, TFassungenDlg &dialog)
{
    QMainWindow &form = c.window;
    UiSeam &seam = c.seam;
    const QString file = c.month.path();
    const QList<MonthVersions::Summary> versions =
        file.isEmpty() ? QList<MonthVersions::Summary>()
                       : MonthVersions::of(c.month.galleryFolder(), file);
    if (versions.isEmpty()) {
        seam.showMessage(&form, UiSeam::MessageKind::Information,
                         file.isEmpty() ? QStringLiteral("Es ist keine Tabelle geöffnet.")
                                        : QStringLiteral("Von der Tabelle ") +
                                              germanQuoted(QFileInfo(file).fileName()) +
                                              QStringLiteral(" gibt es noch keine frühere "
                                                             "Fassung."));
        return;
    }
    dialog.prepare(QFileInfo(file).fileName(), versions);
    if (seam.execDialog(dialog) != QDialog::Accepted || !dialog.chosen())
        return;
    const QString problem = Versions::restore(c.month.galleryFolder(), file, *dialog.chosen(),
                                              QDateTime::currentDateTime());
    if (!problem.isEmpty()) {
        seam.showMessage(&form, UiSeam::MessageKind::Warning,
                         QStringLiteral("Die frühere Fassung wurde nicht wiederhergestellt: ") +
                             problem);
        return;
    }
    c.reload();
}

void createBackup(const MonthCommands &c)
{
    QMainWindow &form = c.window;
    UiSeam &seam = c.seam;
    QString problem;
    const std::optional<QList<GalleryArchive::Entry>> entries =
        GalleryArchive::collect(c.month.galleryFolder(), c.settings.filePath(), &problem);
    if (!entries) {
        seam.showMessage(&form, UiSeam::MessageKind::Warning, problem);
        return;
    }
    const QString proposed = c.places.dataFolder + QStringLiteral("Blutdruck-Sicherung-") +
                             seam.today().toString(QStringLiteral("yyyy-MM-dd")) +
                             QStringLiteral(".zip");
    QString path =
        seam.getSaveFileName(&form, proposed, QStringLiteral("Sicherungskopien (*.zip)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".zip"), Qt::CaseInsensitive))
        path += QStringLiteral(".zip");
    problem = GalleryArchive::write(path, *entries);
    if (!problem.isEmpty()) {
        seam.showMessage(&form, UiSeam::MessageKind::Warning, problem);
        return;
    }
    const auto count = [&entries](const char *suffix, const QString &one, const QString &many) {
        const auto n = std::count_if(entries->cbegin(), entries->cend(), [suffix](const auto &e) {
            return e.name.endsWith(QLatin1String(suffix));
        });
        return QString::number(n) + QLatin1Char(' ') + (n == 1 ? one : many);
    };
    seam.showMessage(&form, UiSeam::MessageKind::Information,
                     QStringLiteral("Die Sicherungskopie ") +
                         germanQuoted(QFileInfo(path).fileName()) +
                         QStringLiteral(" wurde erstellt. Sie enthält ") +
                         count(".tab", QStringLiteral("Tabelle"), QStringLiteral("Tabellen")) +
                         QStringLiteral(", ") +
                         count(".txt", QStringLiteral("Bemerkung"), QStringLiteral("Bemerkungen")) +
                         QStringLiteral(" und Ihre Einstellungen."));
}

std::array<QString, 4> slotTimes(const SettingsStore &settings)
{
    std::array<QString, 4> times;
    for (Slot slot : kAllSlots)
        times[std::size_t(slot)] = settings.read(timeSettingOf(slot));
    return times;
}

void readBackup(const MonthCommands &c)
{
    QMainWindow &form = c.window;
    UiSeam &seam = c.seam;
    const QString path = seam.getOpenFileName(&form, c.places.dataFolder,
                                              QStringLiteral("Sicherungskopien (*.zip)"));
    if (path.isEmpty())
        return;
    QString problem;
    const std::optional<QList<GalleryArchive::Entry>> entries =
        GalleryArchive::read(path, &problem);
    if (!entries) {
        seam.showMessage(&form, UiSeam::MessageKind::Warning, problem);
        return;
    }
    const BackupRestore::Plan plan =
        BackupRestore::plan(*entries, c.month.galleryFolder(), slotTimes(c.settings));
    const bool anythingNew = plan.added() > 0 || !plan.newRemarks.isEmpty();
    if (anythingNew &&
        !seam.askYesNo(&form, UiSeam::MessageKind::Question, BackupRestore::previewText(plan)))
        return;
    OpenMonth::OwnWrites own(c.month);
    const BackupRestore::Result result = BackupRestore::apply(plan, c.month.galleryFolder());
    own.wrote(result.written);
    c.versionKeeping.tellOnce(&form, result.versionProblem);
    if (!result.problem.isEmpty())
        seam.showMessage(&form, UiSeam::MessageKind::Warning, result.problem);
    seam.showMessage(&form, UiSeam::MessageKind::Information, BackupRestore::summaryText(plan));
    // The open month shows what its file now holds.
    if (result.written.contains(c.month.path()))
        c.reload();
}

QAction *newAction(const MonthCommands &c, const char *name, const QString &text,
                   void (*command)(const MonthCommands &))
{
    auto *action = new QAction(text, &c.window);
    action->setObjectName(QLatin1String(name));
    QObject::connect(action, &QAction::triggered, &c.window, [c, command] {
        runGuarded(c.seam, &c.window, [&c, command] { command(c); });
    });
    return action;
}

} // namespace

void installBackupCommands(const MonthCommands &commands)
{
    QMainWindow &form = commands.window;
    auto *dialog = new TFassungenDlg(&form);
    auto *restore = new QAction(QStringLiteral("Frühere Fassung wiederherstellen …"), &form);
    restore->setObjectName(QStringLiteral("FruehereFassung1"));
    QObject::connect(restore, &QAction::triggered, &form, [commands, dialog] {
        runGuarded(commands.seam, &commands.window,
                   [&commands, dialog] { restoreVersion(commands, *dialog); });
    });
    form.findChild<QMenu *>(QStringLiteral("Bearbeiten1"))->addAction(restore);

    QMenu *file = form.findChild<QMenu *>(QStringLiteral("Datei1"));
    QAction *beforeEnd = form.findChild<QAction *>(QStringLiteral("N2"));
    file->insertSeparator(beforeEnd);
    file->insertAction(beforeEnd,
                       newAction(commands, "SicherungskopieErstellen1",
                                 QStringLiteral("Sicherungskopie erstellen …"), createBackup));
    file->insertAction(beforeEnd,
                       newAction(commands, "SicherungskopieEinlesen1",
                                 QStringLiteral("Sicherungskopie einlesen …"), readBackup));
}
