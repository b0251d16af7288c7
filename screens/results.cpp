#include "screens/results.h"

void RunResults() {}
