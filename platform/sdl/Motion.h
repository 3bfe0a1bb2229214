// Whether the screen changes by itself: a view animation runs, a frame animation plays or an
// activity indicator spins somewhere in the visible tree. While it does the window draws at the
// frame rate; otherwise it sleeps until an event or a timer.
#pragma once

class View;

// Hidden views and their subtrees do not count.
bool isMoving(const View& root);
