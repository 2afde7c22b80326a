#include "app/Machpaus.h"
