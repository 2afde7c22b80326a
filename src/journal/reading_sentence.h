#pragma once

#include <QString>

// A list line as a screen reader should speak it:
// "Morgens, 5. Februar 2017, 7:30 Uhr, 132 zu 80, Puls 70" and, with a
// weight, ", Gewicht 78,4 kg". Empty when the line is no reading, so that the
// line's own text is read.
QString readingSentence(const QString &displayLine);
