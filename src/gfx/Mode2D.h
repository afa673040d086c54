#pragma once
// Screen-space drawing on top of the 3D scene: window pixels, origin at the top left,
// y growing downwards. drawImage and TextLabel::draw bracket themselves with these.

void enter2DMode();
// Restores the matrices and enable bits; the blend function, viewport and texture environment
// stay as enter2DMode left them (the 3D code sets what it needs itself). Inside a Held2DMode it
// leaves nothing: the next image or label finds the 2D state still set.
void leave2DMode();

// Keeps the 2D state set from one image or label to the next while it lives, instead of setting
// and restoring it around each one, and draws their quads from arrays, setting a colour only
// when it differs from the last: a screen's labels and images cost three calls each.
// 3D drawing in between (a view area, the battle map) calls suspend2DMode() first, and the
// next 2D item sets the state again. Without an OpenGL context, or with models on the reference
// path (Model::IMMEDIATE), it holds nothing.
class Held2DMode {
public:
    Held2DMode();
    ~Held2DMode();
    Held2DMode(const Held2DMode&) = delete;
    Held2DMode& operator=(const Held2DMode&) = delete;

private:
    bool holding = false;
};

// Restores what a held 2D mode set, if it is set: before 3D drawing.
void suspend2DMode();

// The texture and colour of the next quad (the colour skipped when a held 2D mode has it).
void bind2DTexture(unsigned int texture);
void color2D(float red, float green, float blue, float alpha);

// One textured rectangle in the current 2D mode: the texture's (s0, t0)-(s1, t1) over the
// window rectangle (x, y, w, h), the image's top row at the top.
void drawTexturedQuad(const float coords[4], int x, int y, int w, int h);
