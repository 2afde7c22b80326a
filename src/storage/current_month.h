#pragma once

// The open month under its earlier name, for the code that still uses it.
#include "storage/open_month.h"

using CurrentMonth = OpenMonth;
