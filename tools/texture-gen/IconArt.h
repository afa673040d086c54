#pragma once
// The game's desktop icon: a robot's visored head inside a toothed gear, with an arc of light
// sweeping round it, on a dark rounded tile in the interface's palette. Drawn from shapes given
// in fractions of the side, so every size is the same picture.

class Canvas;

class IconArt {
public:
    // The icon `size` pixels square (the hicolor theme asks for 48, 128 and 256).
    static Canvas icon(int size);
};
