// The results screen and the high-score file.
#pragma once

// Called every frame while Screen is Results.
void RunResults();
