#include "stats/weight_stats.h"
