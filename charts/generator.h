// The chart generator screen.
#pragma once

// Called every frame while Screen is ChartCreate.
void RunChartCreate();
