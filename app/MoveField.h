// The game's one way of sliding an overlay panel: vertically by a fixed distance, in a view
// animation named "moveField" with the ease-in-out curve, of 0.5 s unless a screen asks for
// another duration.
#pragma once

class View;

constexpr double kMoveFieldDuration = 0.5;

// Moves VIEW's frame by OFFSET points on the vertical axis (negative is upwards) in DURATION
// seconds: the frame changes at once and the window shows the slide.
void moveField(View& view, double offset, double duration = kMoveFieldDuration);
