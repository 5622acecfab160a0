#include "bank/textfile.h"

// Implemented in the bank and INI work.
