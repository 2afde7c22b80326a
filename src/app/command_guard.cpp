#include "app/command_guard.h"
