#pragma once
// Screen-space drawing on top of the 3D scene: window pixels, origin at the top left,
// y growing downwards. drawImage and TextLabel::draw bracket themselves with these.

void enter2DMode();
// Restores the matrices and enable bits; the blend function, viewport and texture environment
// stay as enter2DMode left them (the 3D code sets what it needs itself).
void leave2DMode();

// One textured rectangle in the current 2D mode: the texture's (s0, t0)-(s1, t1) over the
// window rectangle (x, y, w, h), the image's top row at the top.
void drawTexturedQuad(const float coords[4], int x, int y, int w, int h);
