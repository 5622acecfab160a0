#include "app/inifile.h"

// Implemented in the bank and INI work.
