// The StepMania import screen and converter.
#pragma once

// Called every frame while Screen is ChartImport.
void RunChartImport();
