#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Whole-file text in the program's format: Windows-1252, CRLF after every
// line (the last one too), no byte-order mark. A file that starts with the
// byte-order mark of UTF-8, UTF-16LE or UTF-16BE (as some editors save it)
// is read in that encoding; it is written in the program's format again.
namespace TextFile {

// Splits at CRLF, LF or CR; a final line break does not add an empty line.
QStringList splitLines(const QString &text);

// The text of a whole file's bytes: after a byte-order mark in its encoding,
// without one as Windows-1252.
QString decode(const QByteArray &bytes);

// The lines of a whole file's bytes, decoded exactly as readLines decodes
// them, for content that is already in memory.
QStringList decodeLines(const QByteArray &bytes);

// The bytes writeLines writes for these lines.
QByteArray encodeLines(const QStringList &lines);

// Reads and decodes a whole file; nullopt when it cannot be opened or read.
std::optional<QStringList> readLines(const QString &path);

// Writes the lines atomically: the new content goes to a temporary file in the
// same folder, which replaces the old file only once it is complete, so a
// crash or a full disk leaves the old content whole. Returns false (and the
// system's reason in *error) when the file could not be written.
bool writeLines(const QString &path, const QStringList &lines, QString *error = nullptr);

// Same guarantee for raw bytes.
bool writeBytes(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Why a write failed, in German, from the system's error number (errno):
// the system's own texts are English on most desktops.
QString writeFailureReason(int errorNumber);

// Removes what a crash between a write's start and its rename left in the
// folder: files named like "<file>.AbC123" (a month, remark or settings file
// of the folder, a dot and six letters or digits) whose <file> exists beside
// them. Nothing else is touched. Returns how many were removed.
int removeLeftoverTemporaries(const QString &folder);

// Test seam: when set, every write first asks it; returning false makes the
// write fail as a full disk would (the target stays untouched).
void setWriteFaultForTesting(std::function<bool(const QString &path)> allowWrite);

} // namespace TextFile
