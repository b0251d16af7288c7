// The play screen.
#pragma once

// Called every frame while Screen is Play.
void RunPlayScreen();
