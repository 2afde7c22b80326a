#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code page of every file the program reads and writes.
// Our own table keeps files byte-identical on every machine, with or without
// ICU. The five bytes the code page leaves undefined map to the control
// characters of the same number, so any file survives a read and write.
namespace Windows1252 {

QString decode(const QByteArray &bytes);

// Characters the code page cannot hold become '?'.
QByteArray encode(const QString &text);

// The first character of the text that the code page cannot hold (two code
// units for one beyond the basic plane); empty when it holds them all.
QString firstUnheld(QStringView text);

} // namespace Windows1252
