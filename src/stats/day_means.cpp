#include "stats/day_means.h"
