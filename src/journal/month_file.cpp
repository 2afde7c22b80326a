#include "journal/month_file.h"

#include "base/blanks.h"
#include "base/german_numbers.h"
#include "base/text_file.h"
#include "base/windows1252.h"
#include "journal/entry_line.h"
#include "journal/slots.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace MonthFile {

namespace {

const QString kSection = QStringLiteral("Personendaten");
constexpr qsizetype kMaxValueLength = 254;

// "[name]" with blanks allowed around it; nullopt for any other line.
std::optional<QStringView> sectionName(QStringView trimmedLine)
{
    if (!trimmedLine.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmedLine.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return withoutOuterBlanks(trimmedLine.mid(1, close - 1));
}

constexpr qint64 kBytesPerMegabyte = qint64(1000) * 1000;

QString refusalText(const QString &path, qint64 bytes)
{
    // Tenths rounded up, so that a refused file never shows the size of the
    // limit itself.
    constexpr qint64 tenth = kBytesPerMegabyte / 10;
    const qint64 tenths = (bytes + tenth - 1) / tenth;
    return QStringLiteral("Die Datei „%1“ ist mit %2 MB zu groß für eine Monatstabelle "
                          "(höchstens %3 MB) und wird nicht geöffnet.")
        .arg(QFileInfo(path).fileName(), GermanNumbers::formatGrouped1(tenths / 10.0L),
             QString::number(kMaxFileBytes / kBytesPerMegabyte));
}

} // namespace

QString sizeRefusal(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() <= kMaxFileBytes)
        return QString();
    return refusalText(path, info.size());
}

ReadResult readLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (file.size() > kMaxFileBytes)
        return {std::nullopt, refusalText(path, file.size())};
    // One byte more than allowed tells a file that grew since it was opened,
    // or a device without a size, from one that fits.
    const QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return {};
    if (bytes.size() > kMaxFileBytes)
        return {std::nullopt, refusalText(path, std::max(file.size(), qint64(bytes.size())))};
    return {TextFile::decodeLines(bytes), QString()};
}

std::array<bool, 4> Header::applySwitches(std::array<bool, 4> current) const
{
    for (std::size_t i = 0; i < current.size(); ++i) {
        const QString &value = switchText[i];
        if (value.isEmpty())
            continue;
        if (value.contains(QLatin1Char('1')))
            current[i] = true;
        if (value.contains(QLatin1Char('0')))
            current[i] = false;
    }
    return current;
}

Header readHeader(const QStringList &fileLines)
{
    Header header;
    bool inSection = false;
    bool seenSection = false;
    // The first occurrence of a key counts, as with any INI reader.
    bool haveUser = false, haveDatum = false;
    std::array<bool, 4> haveSwitch = {false, false, false, false};

    // Views, not copies: a save reads the header of two full months.
    for (const QString &rawLine : fileLines) {
        const QStringView line = withoutOuterBlanks(QStringView(rawLine));
        if (const auto name = sectionName(line)) {
            // Only the first section of that name is read.
            if (inSection)
                break;
            inSection = !seenSection && name->compare(kSection, Qt::CaseInsensitive) == 0;
            seenSection = seenSection || inSection;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QStringView key = withoutOuterBlanks(line.left(eq));
        const QStringView value = withoutOuterBlanks(line.mid(eq + 1)).left(kMaxValueLength);

        if (key.compare(QLatin1StringView("BenutzerName"), Qt::CaseInsensitive) == 0) {
            if (!haveUser)
                header.userName = value.toString();
            haveUser = true;
        } else if (key.compare(QLatin1StringView("Datum"), Qt::CaseInsensitive) == 0) {
            if (!haveDatum)
                header.dateText = value.toString();
            haveDatum = true;
        } else {
            for (Slot slot : kAllSlots) {
                const auto i = static_cast<std::size_t>(slot);
                if (!haveSwitch[i] &&
                    key.compare(slotInfo(slot).headerKey, Qt::CaseInsensitive) == 0) {
                    header.switchText[i] = value.toString();
                    haveSwitch[i] = true;
                }
            }
        }
        // Once every key was read, no later line can change the header, and
        // the entry lines need not be looked at.
        if (haveUser && haveDatum &&
            std::all_of(haveSwitch.begin(), haveSwitch.end(), [](bool seen) { return seen; }))
            break;
    }
    return header;
}

Header readHeaderOfUntakenFile(const QString &path)
{
    // The header stands at the top; a junk file of any size is not read
    // further than this.
    constexpr qint64 kHeaderBytes = qint64(64) * 1024;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray start = file.read(kHeaderBytes);
        if (file.error() == QFileDevice::NoError)
            return readHeader(TextFile::decodeLines(start));
    }
    Header header;
    const QString name = QFileInfo(path).completeBaseName();
    const qsizetype yearAt = name.size() - 4;
    if (yearAt >= 4 && name.at(yearAt - 1) == QLatin1Char('_') &&
        name.at(yearAt - 4) == QLatin1Char('_')) {
        bool monthOk = false, yearOk = false;
        const int month = name.mid(yearAt - 3, 2).toInt(&monthOk);
        name.mid(yearAt).toInt(&yearOk);
        if (monthOk && yearOk && !germanMonthName(month).isEmpty())
            header.dateText = germanMonthName(month) + QLatin1Char(' ') + name.mid(yearAt);
    }
    return header;
}

QString nameCodePageProblem(const QString &userName)
{
    const QString unheld = Windows1252::firstUnheld(userName);
    if (unheld.isEmpty())
        return QString();
    return QStringLiteral("Der Name enthält das Zeichen „%1“, das in den Monatstabellen nicht "
                          "gespeichert werden kann (sie sind im Zeichensatz Windows-1252 "
                          "geschrieben). Bitte wählen Sie einen Namen ohne dieses Zeichen.")
        .arg(unheld);
}

QString linesCodePageProblem(const QStringList &fileLines)
{
    for (const QString &line : fileLines) {
        const QString unheld = Windows1252::firstUnheld(line);
        if (!unheld.isEmpty())
            return QStringLiteral("Die Zeile „%1“ enthält das Zeichen „%2“, das eine "
                                  "Monatstabelle im Zeichensatz Windows-1252 nicht speichern "
                                  "kann; es ginge beim Speichern verloren.")
                .arg(line, unheld);
    }
    return QString();
}

QStringList fileLines(const QString &userName, const QString &monthName, const QString &year,
                      const std::array<bool, 4> &switches, const QStringList &displayLines)
{
    QStringList lines;
    lines.reserve(8 + displayLines.size());
    lines << QStringLiteral("[Personendaten]") << QStringLiteral("BenutzerName=") + userName
          << QStringLiteral("Datum=") + monthName + QLatin1Char(' ') + year;
    for (Slot slot : kAllSlots) {
        const bool on = switches[static_cast<std::size_t>(slot)];
        lines << slotInfo(slot).headerKey + (on ? QStringLiteral("=1") : QStringLiteral("=0"));
    }
    lines << QString();
    for (const QString &displayLine : displayLines)
        lines << EntryLine::fromDisplayLine(displayLine);
    return lines;
}

} // namespace MonthFile
