#pragma once
// Interface pictures: an image file stretched over a window rectangle.

#include <string>

// Draws the image over (x, y, w, h) in window pixels. A missing or unreadable file draws nothing
// and says nothing; a texture that cannot be made shows as a white rectangle. The active
// DrawRecorder is told of every call; without an OpenGL context nothing else happens.
void drawImage(const std::string& file, int x, int y, int w, int h);
