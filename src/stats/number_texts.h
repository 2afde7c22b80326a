#pragma once

#include <QString>

// QString::number(value), for 0..999 made once and shared by every list and
// table that holds it: blood pressure and pulse values and their day means
// are in that range, and a month makes hundreds of them.
QString wholeNumberText(qint64 value);
