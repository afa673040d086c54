#pragma once
// A 3D view in part of the window, as the title backdrop, the build screen's robot and the rules
// screen's map preview use: a 60-degree perspective over a window rectangle, then back to the
// whole window's projection for what is drawn after. Both do nothing without an OpenGL context.

// Perspective and viewport for the rectangle (x, y from the window's bottom left, in pixels).
void enterViewArea(int x, int y, int width, int height);
// The whole window's perspective again; the viewport stays as enterViewArea left it (the 2D
// drawing sets its own).
void leaveViewArea();
