// The title screen ("Play", "Credits") and the credits screen.
#pragma once

// Called every frame while Screen is Title.
void RunTitleScreen();

// Called every frame while Screen is Credits.
void RunCreditsScreen();
