#pragma once
// Whether the program has an OpenGL context. The game marks it once its video mode is up;
// tools and tests that only load data never do, so loading a model there makes no OpenGL call.

class GlContext {
public:
    static bool available();
    static void setAvailable(bool available);
};
