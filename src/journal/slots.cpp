#include "journal/slots.h"
