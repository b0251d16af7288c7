#include "charts/import.h"

void RunChartImport() {}
