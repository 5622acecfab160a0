#include "bank/bank.h"

// Implemented in the bank and INI work.
