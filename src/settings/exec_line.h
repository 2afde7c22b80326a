#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The Exec= line of a desktop entry, as the freedesktop Desktop Entry rules
// read it, so that a browser starts the way the desktop itself starts it
// (Flatpak and Snap wrappers included).
namespace ExecLine {

// Splits the (already string-unescaped) value into the program and its
// arguments: blanks separate, double quotes group, and inside quotes a
// backslash takes the next character literally. nullopt for an empty value
// or an unterminated quote.
std::optional<QStringList> split(const QString &value);

// What the field codes stand for when one file is opened.
struct Fields
{
    QString filePath;        // %f, %F; %u and %U get it as a file: URL
    QString name;            // %c
    QString icon;            // %i gives "--icon" and this, when not empty
    QString desktopFilePath; // %k
};

// Replaces the field codes of the split line. A line without a file code
// gets the file appended, since a browser that is given no page opens none.
// Deprecated and unknown codes disappear; "%%" is one "%".
QStringList expand(const QStringList &arguments, const Fields &fields);

} // namespace ExecLine
