#pragma once

#include "base/blanks.h"

#include <QString>

#include <optional>

// The value texts of an entry line from its time piece on, found by their
// markers: "s=" and "d=" up to the next comma, "p=" up to the comma before
// "Gewicht=" (or the end), without outer blanks.
struct ValueTexts
{
    std::optional<QString> systolic;
    std::optional<QString> diastolic;
    std::optional<QString> pulse;
};

// `rest` is the line after its date has been cut into.
ValueTexts valueTextsOf(QString rest);

// Everything after the character that follows the first "." (the line when
// it has no ".").
QString afterFirstDot(const QString &line);
