#include "app/info.h"
