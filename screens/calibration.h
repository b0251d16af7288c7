// The calibration screen: Start plays the click track (game/click_track.h);
// the player taps an arrow key, Space, Enter or a pad arrow on each click;
// each tap shows as a dot on a line from 250 ms early to 250 ms late, with
// the running median. Once done, "Use this offset" takes the median as the
// audio offset, "Try again" starts over, Back leaves the offset as it was.
#pragma once

// Called every frame while Screen is Calibration.
void RunCalibration();
