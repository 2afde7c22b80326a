#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The month journal: an INI-style header and the entry lines, Windows-1252,
// CRLF after every line.
namespace MonthFile {

struct Header
{
    QString userName;                  // "BenutzerName", empty when missing
    QString dateText;                  // "Datum", empty when missing
    std::array<QString, 4> switchText; // values of "1M".."4M", empty when missing

    // Applies "1M".."4M" to the current switch states: a value containing "1"
    // sets, one containing "0" then clears ("10" clears); empty keeps.
    std::array<bool, 4> applySwitches(std::array<bool, 4> current) const;
};

// The largest month file the program opens, in bytes (1 MB, counted in
// thousands as the file managers of the desktop count). A real month file
// holds at most 124 readings and its header, about 10 KB; the limit leaves a
// hundred times that for lines added by hand, and a file of that size full of
// foreign lines still loads in a blink. Beyond it lies only a file that is no
// month table, whose load would take the window minutes.
inline constexpr qint64 kMaxFileBytes = qint64(1000) * 1000;

// Why the file is not opened as a month table: its size is above
// kMaxFileBytes. Empty when the size is fine, and for a file that does not
// exist or is no regular file (reading it then tells what is wrong).
QString sizeRefusal(const QString &path);

// A month file as read: either its lines, or nothing with the refusal of an
// oversized file, or nothing at all when it could not be read.
struct ReadResult
{
    std::optional<QStringList> lines;
    QString refusal;
};

// Reads and decodes a month file; one above kMaxFileBytes is refused from
// the size of the open file, before any content is read.
ReadResult readLines(const QString &path);

// Reads the header with INI rules: section "[Personendaten]", keys without
// regard to case, blanks around key and value dropped, values cut at 254
// characters. The entry lines below never form one of the keys.
Header readHeader(const QStringList &fileLines);

// The header of a file whose lines could not be taken (too large, or not
// readable), so that the window names the month that failed: read from the
// file's first bytes where they can be read; otherwise only "Datum", from a
// file name of the form <name>_MM_YYYY.tab ("April 2017").
Header readHeaderOfUntakenFile(const QString &path);

// Header, empty line, then the display lines with their tabs removed.
QStringList fileLines(const QString &userName, const QString &monthName, const QString &year,
                      const std::array<bool, 4> &switches, const QStringList &displayLines);

// Why a user name cannot stand in a month file's header: it holds a
// character that Windows-1252 cannot hold, which a save would turn into
// '?'. Empty when the code page holds the whole name.
QString nameCodePageProblem(const QString &userName);

// The same for the lines of a new content: the first line with such a
// character, named with it. Empty when the file can hold every line as it is.
QString linesCodePageProblem(const QStringList &fileLines);

// The entry lines of a file that a new content of it would lose, in file
// order. Lines are compared as the program writes them (blanks after "den"
// and the case of letters aside); a line named in allowedToGo may go once.
QStringList readingsLost(const QStringList &oldFileLines, const QStringList &newFileLines,
                         const QString &allowedToGo = QString());

} // namespace MonthFile
