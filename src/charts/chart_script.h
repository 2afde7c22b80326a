#pragma once

#include <QString>

// The shipped copy of the charting library the pages load: beside an
// installed program (<prefix>/share/vantoria/scripts), in the install prefix
// the program was built for, or in the build tree. Empty when none exists.
QString locateShippedChartScript();
