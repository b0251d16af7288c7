#include "charts/generator.h"

void RunChartCreate() {}
