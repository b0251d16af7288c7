// The title screen ("Play", "Credits", "Options") and the credits screen.
#pragma once

// Called every frame while Screen is Title.
void RunTitleScreen();

// Called every frame while Screen is Credits.
void RunCreditsScreen();
