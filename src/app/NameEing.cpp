#include "app/NameEing.h"
