// The game's one way of sliding an overlay panel: vertically by a fixed distance, in a view
// animation named "moveField" of 0.5 s with the ease-in-out curve.
#pragma once

class View;

// Moves VIEW's frame by OFFSET points on the vertical axis (negative is upwards): the frame
// changes at once and the window shows the slide.
void moveField(View& view, double offset);
