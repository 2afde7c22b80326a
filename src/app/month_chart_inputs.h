#pragma once

#include "charts/chart_inputs.h"

class OpenMonth;

// What a chart page takes from the open month: its means, its weight, its
// name and user, the remark stored beside its file and the user's changes of
// medication in the month. Colours and the
// user's chart choices are the window's to add.
ChartInputs monthChartInputs(const OpenMonth &month);
