#pragma once
// The light beams of the tile cursor: four crossed, additive quads leaning up from each corner.
// Their texture is read from "textures/SearchlightTexture.bmp" at the first beam and kept for the
// run; while the file cannot be read every beam reports it and draws nothing.

class SearchlightBeam {
public:
    // One beam standing on the current origin, 50 units tall.
    static void draw();
    // Forgets the texture without touching GL: for a fresh OpenGL context.
    static void forget();
    static bool loaded();

private:
    static bool load();
};
