#include "bank/split.h"

// Implemented in the bank and INI work.
