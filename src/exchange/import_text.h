#pragma once

#include <QByteArray>
#include <QString>

// The bytes of a file from a measuring device's app, turned into text. Such
// apps write UTF-8 (with or without byte order mark), UTF-16 with a byte
// order mark, or the Windows code page of the phone's or PC's language.
namespace ImportText {

// Larger files are refused before they are read: a device export of many
// years holds a few megabytes.
constexpr qint64 kMaxFileBytes = qint64(20) * 1024 * 1024;

struct Decoded
{
    QString text;
    QString encoding; // "UTF-8", "UTF-16", "Windows-1252"
};

Decoded decode(const QByteArray &bytes);

// True for text no spreadsheet or device app writes: NUL characters, or
// control characters other than tab and line breaks in more than one of a
// hundred characters.
bool looksBinary(const QString &text);

} // namespace ImportText
