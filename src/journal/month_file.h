#pragma once

#include <QString>
#include <QStringList>

#include <array>

// The month journal: an INI-style header and the entry lines, Windows-1252,
// CRLF after every line.
namespace MonthFile {

struct Header
{
    QString userName;                  // "BenutzerName", empty when missing
    QString datum;                     // "Datum", empty when missing
    std::array<QString, 4> switchText; // values of "1M".."4M", empty when missing

    // Applies "1M".."4M" to the current switch states: a value containing "1"
    // sets, one containing "0" then clears ("10" clears); empty keeps.
    std::array<bool, 4> applySwitches(std::array<bool, 4> current) const;
};

// Reads the header with INI rules: section "[Personendaten]", keys without
// regard to case, blanks around key and value dropped, values cut at 254
// characters. The entry lines below never form one of the keys.
Header readHeader(const QStringList &fileLines);

// Header, empty line, then the display lines with their tabs removed.
QStringList fileLines(const QString &userName, const QString &monthName, const QString &year,
                      const std::array<bool, 4> &switches, const QStringList &displayLines);

// The entry lines of a file that a new content of it would lose, in file
// order. Lines are compared as the program writes them (blanks after "den"
// and the case of letters aside); a line named in allowedToGo may go once.
QStringList readingsLost(const QStringList &oldFileLines, const QStringList &newFileLines,
                         const QString &allowedToGo = QString());

} // namespace MonthFile
