#include "core/flags.h"
