// The difficulty select: the hub for one song.
#pragma once

// Called every frame while Screen is DifficultySelect.
void RunDifficultySelect();
