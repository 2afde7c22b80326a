#include "storage/backup_restore.h"

#include "base/text_file.h"
#include "journal/month_file.h"
#include "journal/slots.h"
#include "storage/data_folders.h"
#include "storage/medication_store.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace BackupRestore {

namespace {

// A month or remark file of a year folder, named as the program names it.
struct GalleryFile
{
    QString user;
    QString month;
    QString year;
    bool remark = false;
};

std::optional<GalleryFile> galleryFileOf(const QString &entryName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[^/]+/(\\d{4})/([^/]+)_(\\d\\d)_(\\d{4})\\.(tab|txt)$"));
    const QRegularExpressionMatch match = pattern.match(entryName);
    if (!match.hasMatch() || match.captured(1) != match.captured(4))
        return std::nullopt;
    GalleryFile file{match.captured(2), match.captured(3), match.captured(4),
                     match.captured(5) == QLatin1String("txt")};
    if (!DataFolders::monthPlaceProblem(file.user, file.month, file.year).isEmpty())
        return std::nullopt;
    return file;
}

QStringList linesOf(const QByteArray &bytes)
{
    return TextFile::decodeLines(bytes);
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!DataFolders::ensureFolder(folder))
        return DataFolders::folderNotCreatedMessage(QFileInfo(folder).fileName());
    QString error;
    if (!TextFile::writeBytes(path, bytes, &error))
        return QStringLiteral("Die Datei „%1“ konnte nicht geschrieben werden: %2")
            .arg(QFileInfo(path).fileName(), error);
    return QString();
}

// A file that comes back only where the gallery has none.
void planKept(QList<GalleryArchive::Entry> &newFiles, int &present, int &differing,
              const QString &path, const QByteArray &bytes)
{
    QFile stored(path);
    if (!stored.exists())
        newFiles.append({path, bytes, {}});
    else if (stored.open(QIODevice::ReadOnly) && stored.readAll() == bytes)
        ++present;
    else
        ++differing;
}

void planRemark(Plan &plan, const QString &path, const QByteArray &bytes)
{
    planKept(plan.newRemarks, plan.remarksPresent, plan.remarksDiffering, path, bytes);
}

// "Blutdruck-Daten-Galerie/Muster_Medikamente.txt": the file's name.
QString medicationFileOf(const QString &entryName)
{
    const qsizetype slash = entryName.indexOf(QLatin1Char('/'));
    if (slash <= 0 || entryName.indexOf(QLatin1Char('/'), slash + 1) >= 0)
        return QString();
    const QString name = entryName.mid(slash + 1);
    return MedicationStore::isMedicationFileName(name) ? name : QString();
}

bool hasMedicationFiles(const Plan &plan)
{
    return !plan.newMedicationFiles.isEmpty() || plan.medicationFilesPresent > 0 ||
           plan.medicationFilesDiffering > 0;
}

void writeKept(const QList<GalleryArchive::Entry> &files, Result &result)
{
    for (const GalleryArchive::Entry &file : files) {
        // A file written since the plan is the user's: it stays.
        if (QFileInfo::exists(file.name))
            continue;
        const QString problem = writeFile(file.name, file.bytes);
        if (problem.isEmpty())
            result.written.append(file.name);
        else if (result.problem.isEmpty())
            result.problem = problem;
    }
}

// A month the gallery lacks comes back as the backup holds it (its switches
// and the lines no reading could be read from included), when every reading
// of the month found a place and each one stands in the backup's file.
bool copiedWhole(const Plan &plan, const GalleryMerge::MonthPlan &month, const QString &user,
                 Result &result)
{
    const auto archived = plan.monthBytes.constFind(month.path);
    if (month.exists || month.unplaced > 0 || archived == plan.monthBytes.cend() ||
        QFileInfo::exists(month.path) ||
        !MonthFile::readingsLost(month.journal.fileLines(user, month.month, month.year),
                                 linesOf(*archived))
             .isEmpty())
        return false;
    const QString problem = writeFile(month.path, *archived);
    if (problem.isEmpty())
        result.written.append(month.path);
    else if (result.problem.isEmpty())
        result.problem = problem;
    return true;
}

QString monthLine(const QString &user, const GalleryMerge::MonthPlan &month)
{
    QString line = germanMonthName(month.month) + QLatin1Char(' ') + QString::number(month.year) +
                   QStringLiteral(" (") + user + QStringLiteral("): ") +
                   QStringLiteral("%1 neu").arg(month.added);
    if (month.present > 0)
        line += QStringLiteral(", %1 schon vorhanden").arg(month.present);
    if (month.unplaced > 0)
        line += QStringLiteral(", %1 ohne freien Platz").arg(month.unplaced);
    return line;
}

// "Bemerkungen: 2 neu, 1 schon vorhanden, …": remarks and medication lists are
// told alike, each with its own reason why a differing file is not taken.
QString filesLine(const QString &kind, qsizetype added, int present, int differing,
                  const QString &differingReason)
{
    QString line = kind + QStringLiteral(": %1 neu").arg(added);
    if (present > 0)
        line += QStringLiteral(", %1 schon vorhanden").arg(present);
    if (differing > 0)
        line += QStringLiteral(", %1 nicht übernommen, weil ").arg(differing) + differingReason;
    return line;
}

QString remarksLine(const Plan &plan)
{
    return filesLine(QStringLiteral("Bemerkungen"), plan.newRemarks.size(), plan.remarksPresent,
                     plan.remarksDiffering, QStringLiteral("der Monat schon eine andere hat"));
}

QString medicationLine(const Plan &plan)
{
    return filesLine(QStringLiteral("Medikamentenlisten"), plan.newMedicationFiles.size(),
                     plan.medicationFilesPresent, plan.medicationFilesDiffering,
                     QStringLiteral("schon eine andere Liste vorhanden ist"));
}

} // namespace

int Plan::added() const
{
    int sum = 0;
    for (const UserPlan &user : users)
        sum += user.merge.added();
    return sum;
}

int Plan::present() const
{
    int sum = 0;
    for (const UserPlan &user : users)
        sum += user.merge.present();
    return sum;
}

int Plan::unplaced() const
{
    int sum = 0;
    for (const UserPlan &user : users)
        sum += user.merge.unplaced();
    return sum;
}

Plan plan(const QList<GalleryArchive::Entry> &entries, const QString &galleryFolder,
          const std::array<QString, 4> &slotTimes)
{
    Plan result;
    QStringList users;
    QHash<QString, QList<Reading>> readings;
    for (const GalleryArchive::Entry &entry : entries) {
        if (entry.name == GalleryArchive::kSettingsEntry) {
            result.hasSettings = true;
            continue;
        }
        if (const QString name = medicationFileOf(entry.name); !name.isEmpty()) {
            planKept(result.newMedicationFiles, result.medicationFilesPresent,
                     result.medicationFilesDiffering,
                     DataFolders::withTrailingSlash(galleryFolder) + name, entry.bytes);
            continue;
        }
        const std::optional<GalleryFile> file = galleryFileOf(entry.name);
        if (!file) {
            ++result.otherFiles;
            continue;
        }
        if (file->remark) {
            planRemark(result,
                       DataFolders::remarkFilePath(galleryFolder, file->year, file->user,
                                                   file->month, file->year),
                       entry.bytes);
            continue;
        }
        result.monthBytes.insert(DataFolders::monthFilePath(galleryFolder, file->year, file->user,
                                                            file->month, file->year),
                                 entry.bytes);
        if (!users.contains(file->user))
            users.append(file->user);
        readings[file->user] += MonthJournal::fromFileLines(linesOf(entry.bytes)).readings();
    }
    for (const QString &user : users)
        result.users.append(
            {user, GalleryMerge::plan(galleryFolder, user, readings.value(user), slotTimes, true)});
    return result;
}

QString previewText(const Plan &plan)
{
    constexpr int kShownMonths = 36;
    QStringList lines{QStringLiteral("Die Sicherungskopie enthält:")};
    int months = 0;
    for (const UserPlan &user : plan.users) {
        for (const GalleryMerge::MonthPlan &month : user.merge.months) {
            if (++months <= kShownMonths)
                lines.append(monthLine(user.user, month));
        }
    }
    if (months > kShownMonths)
        lines.append(QStringLiteral("… und %1 weitere Monate").arg(months - kShownMonths));
    if (months == 0)
        lines.append(QStringLiteral("keine Messungen"));
    lines.append(remarksLine(plan));
    if (hasMedicationFiles(plan))
        lines.append(medicationLine(plan));
    lines.append(QString());
    lines.append(QStringLiteral("Vorhandene Messungen, Bemerkungen und Ihre Einstellungen werden "
                                "nicht überschrieben. Jetzt übernehmen?"));
    return lines.join(QStringLiteral("\r\n"));
}

QString summaryText(const Plan &plan)
{
    QString text = QStringLiteral("%1 übernommen, %2 schon vorhanden, %3 ohne freien Platz.")
                       .arg(plan.added() == 1 ? QStringLiteral("1 Messung")
                                              : QStringLiteral("%1 Messungen").arg(plan.added()))
                       .arg(plan.present())
                       .arg(plan.unplaced());
    text += QStringLiteral("\r\n") +
            remarksLine(plan).replace(QStringLiteral(" neu"), QStringLiteral(" übernommen")) +
            QLatin1Char('.');
    if (hasMedicationFiles(plan))
        text +=
            QStringLiteral("\r\n") +
            medicationLine(plan).replace(QStringLiteral(" neu"), QStringLiteral(" übernommen")) +
            QLatin1Char('.');
    if (plan.hasSettings)
        text += QStringLiteral("\r\nDie Einstellungen der Sicherungskopie wurden nicht "
                               "übernommen; Ihre jetzigen Einstellungen gelten weiter.");
    return text;
}

Result apply(const Plan &plan, const QString &galleryFolder)
{
    Result result;
    for (const UserPlan &user : plan.users) {
        GalleryMerge::Plan rest;
        for (const GalleryMerge::MonthPlan &month : user.merge.months) {
            if (month.added > 0 && !copiedWhole(plan, month, user.user, result))
                rest.months.append(month);
        }
        QString versionProblem;
        const QString problem =
            GalleryMerge::apply(rest, galleryFolder, user.user, &versionProblem);
        if (result.problem.isEmpty())
            result.problem = problem;
        if (result.versionProblem.isEmpty())
            result.versionProblem = versionProblem;
        for (const GalleryMerge::MonthPlan &month : rest.months)
            result.written.append(month.path);
    }
    writeKept(plan.newRemarks, result);
    writeKept(plan.newMedicationFiles, result);
    return result;
}

} // namespace BackupRestore
