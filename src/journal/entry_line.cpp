#include "journal/entry_line.h"
