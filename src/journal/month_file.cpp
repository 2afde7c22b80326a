#include "journal/month_file.h"
