#include "stats/evaluation.h"
