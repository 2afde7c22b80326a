#include "journal/medication.h"

#include "base/german_quotes.h"

#include <QRegularExpression>

namespace {

const QString kDayFormat = QStringLiteral("dd.MM.yyyy");
constexpr int kFieldCount = 6;

QString dayText(const QDate &day)
{
    return day.toString(kDayFormat);
}

// Only "dd.mm.yyyy" with a real date; "1.3.2026" or "31.02.2026" are damage.
std::optional<QDate> dayOf(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d{4}$"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    const QDate day = QDate::fromString(text, kDayFormat);
    return day.isValid() ? std::optional<QDate>(day) : std::nullopt;
}

QString escaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

std::optional<QString> unescaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= field.size())
            return std::nullopt;
        switch (field.at(i).unicode()) {
        case '\\':
            out += QLatin1Char('\\');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case '#':
            out += QLatin1Char('#');
            break;
        default:
            return std::nullopt;
        }
    }
    return out;
}

} // namespace

QString Medication::label() const
{
    return strength.trimmed().isEmpty() ? name.trimmed()
                                        : name.trimmed() + QLatin1Char(' ') + strength.trimmed();
}

bool Medication::overlaps(const QDate &first, const QDate &last) const
{
    return firstDay <= last && (!lastDay || *lastDay >= first);
}

QString Medication::problem() const
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie den Namen des Medikaments ein.");
    if (!firstDay.isValid())
        return QStringLiteral("Bitte geben Sie den ersten Tag der Einnahme ein.");
    if (lastDay && !lastDay->isValid())
        return QStringLiteral("Der letzte Tag der Einnahme ist kein gültiges Datum.");
    if (lastDay && *lastDay < firstDay)
        return QStringLiteral("Der letzte Tag (%1) liegt vor dem ersten Tag (%2). Bitte "
                              "korrigieren Sie die Daten.")
            .arg(dayText(*lastDay), dayText(firstDay));
    return QString();
}

namespace MedicationFile {

QList<Medication> Plan::medications() const
{
    QList<Medication> result;
    for (const Line &line : lines) {
        if (line.medication)
            result.append(*line.medication);
    }
    return result;
}

QStringList Plan::damagedNotes() const
{
    QStringList notes;
    for (const Line &line : lines) {
        if (!line.medication && !line.reason.isEmpty())
            notes.append(QStringLiteral("Zeile %1: %2").arg(line.lineNumber).arg(line.reason));
    }
    return notes;
}

QString lineOf(const Medication &medication)
{
    // A line that starts with '#' is a note of the file's reader, not an entry.
    QString name = escaped(medication.name);
    if (name.startsWith(QLatin1Char('#')))
        name.prepend(QLatin1Char('\\'));
    return QStringList{name,
                       escaped(medication.strength),
                       escaped(medication.intake),
                       dayText(medication.firstDay),
                       medication.lastDay ? dayText(*medication.lastDay) : QString(),
                       escaped(medication.note)}
        .join(QLatin1Char('\t'));
}

std::optional<Medication> parseLine(const QString &line, QString *reason)
{
    const auto fail = [reason](const QString &why) {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != kFieldCount)
        return fail(QStringLiteral("%1 statt %2 durch Tabulatoren getrennte Felder")
                        .arg(fields.size())
                        .arg(kFieldCount));
    Medication medication;
    QString *const texts[] = {&medication.name, &medication.strength, &medication.intake};
    for (int i = 0; i < 3; ++i) {
        const std::optional<QString> text = unescaped(fields.at(i));
        if (!text)
            return fail(QStringLiteral("ein Rückstrich ohne gültiges Zeichen danach"));
        *texts[i] = *text;
    }
    const std::optional<QString> note = unescaped(fields.at(5));
    if (!note)
        return fail(QStringLiteral("ein Rückstrich ohne gültiges Zeichen danach"));
    medication.note = *note;
    const std::optional<QDate> first = dayOf(fields.at(3));
    if (!first)
        return fail(QStringLiteral("ungültiger erster Tag ") + germanQuoted(fields.at(3)));
    medication.firstDay = *first;
    if (!fields.at(4).isEmpty()) {
        const std::optional<QDate> last = dayOf(fields.at(4));
        if (!last)
            return fail(QStringLiteral("ungültiger letzter Tag ") + germanQuoted(fields.at(4)));
        medication.lastDay = *last;
    }
    if (medication.name.trimmed().isEmpty())
        return fail(QStringLiteral("kein Name"));
    if (medication.lastDay && *medication.lastDay < medication.firstDay)
        return fail(QStringLiteral("der letzte Tag liegt vor dem ersten"));
    return medication;
}

bool isMedicationFile(const QStringList &lines)
{
    static const QString prefix = kFormatLine.left(kFormatLine.lastIndexOf(QLatin1Char(' ')) + 1);
    return !lines.isEmpty() && lines.first().startsWith(prefix);
}

std::optional<Plan> read(const QStringList &lines)
{
    if (lines.isEmpty() || lines.first() != kFormatLine)
        return std::nullopt;
    Plan plan;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString &text = lines.at(i);
        const int number = int(i + 1);
        if (text.isEmpty() || text == kColumnsLine)
            continue;
        // A line of one's own notes, as the column line is one.
        if (text.startsWith(QLatin1Char('#'))) {
            plan.lines.append({std::nullopt, text, number, QString()});
            continue;
        }
        QString reason;
        std::optional<Medication> medication = parseLine(text, &reason);
        if (medication)
            plan.lines.append({std::move(medication), QString(), number, QString()});
        else
            plan.lines.append({std::nullopt, text, number, reason});
    }
    return plan;
}

QStringList write(const Plan &plan)
{
    QStringList lines{kFormatLine, kColumnsLine};
    for (const Line &line : plan.lines)
        lines.append(line.medication ? lineOf(*line.medication) : line.text);
    return lines;
}

} // namespace MedicationFile

namespace MedicationEdit {

namespace {

const Medication *entryAt(const MedicationFile::Plan &plan, qsizetype index)
{
    if (index < 0 || index >= plan.lines.size() || !plan.lines.at(index).medication)
        return nullptr;
    return &*plan.lines.at(index).medication;
}

QString noEntry()
{
    return QStringLiteral("Bitte wählen Sie zuerst ein Medikament in der Liste aus.");
}

} // namespace

QString add(MedicationFile::Plan &plan, const Medication &medication)
{
    if (QString problem = medication.problem(); !problem.isEmpty())
        return problem;
    plan.lines.append({medication, QString(), 0, QString()});
    return QString();
}

QString change(MedicationFile::Plan &plan, qsizetype index, const Medication &medication)
{
    if (!entryAt(plan, index))
        return noEntry();
    if (QString problem = medication.problem(); !problem.isEmpty())
        return problem;
    plan.lines[index].medication = medication;
    return QString();
}

QString end(MedicationFile::Plan &plan, qsizetype index, const QDate &lastDay)
{
    const Medication *present = entryAt(plan, index);
    if (!present)
        return noEntry();
    if (present->lastDay)
        return germanQuoted(present->label()) +
               QStringLiteral(" ist schon beendet (letzter Tag %1).")
                   .arg(dayText(*present->lastDay));
    Medication ended = *present;
    ended.lastDay = lastDay;
    if (QString problem = ended.problem(); !problem.isEmpty())
        return problem;
    plan.lines[index].medication = ended;
    return QString();
}

QString remove(MedicationFile::Plan &plan, qsizetype index)
{
    if (index < 0 || index >= plan.lines.size())
        return noEntry();
    plan.lines.removeAt(index);
    return QString();
}

QString changeDose(MedicationFile::Plan &plan, qsizetype index, const QString &strength,
                   const QString &intake, const QDate &day)
{
    const Medication *present = entryAt(plan, index);
    if (!present)
        return noEntry();
    if (strength.trimmed().isEmpty())
        return QStringLiteral("Bitte geben Sie die neue Stärke ein.");
    if (strength.trimmed() == present->strength.trimmed() &&
        intake.trimmed() == present->intake.trimmed())
        return QStringLiteral("Stärke und Einnahme sind unverändert.");
    if (!day.isValid() || day <= present->firstDay)
        return QStringLiteral("Die neue Dosis kann frühestens am Tag nach dem ersten Tag (%1) "
                              "beginnen.")
            .arg(dayText(present->firstDay));
    if (present->lastDay && day > *present->lastDay)
        return QStringLiteral("Die neue Dosis muss spätestens am letzten Tag (%1) beginnen.")
            .arg(dayText(*present->lastDay));
    Medication next = *present;
    next.strength = strength.trimmed();
    next.intake = intake.trimmed();
    next.firstDay = day;
    Medication ended = *present;
    ended.lastDay = day.addDays(-1);
    plan.lines[index].medication = ended;
    plan.lines.insert(index + 1, {next, QString(), 0, QString()});
    return QString();
}

} // namespace MedicationEdit
