#include "stats/month_means.h"
