#pragma once
// The panel pieces every screen is built from, on the grid of 200-pixel columns from y = 40 with
// the key-hint row along y = 743. All draw at once in window pixels, except the translucent quad,
// which lies in the current 3D scene.

#include <string>

// The wide dark backdrop, then `columns` dark columns from the left.
void drawColumnBackdrop(int columns);
// A 200 x 20 header bar with its title in bold grey.
void drawColumnHeader(const std::string& title, int x, int y);
// A header bar across the whole window at height y, its title starting at x + 12.
void drawWideHeader(const std::string& title, int x, int y);
// A name at the column's text inset and the value right-aligned 12 pixels before its right edge.
void drawStatRow(const std::string& name, int value, int x, int y, int size);
// A key icon w x 25 and its caption after `gap` pixels. Returns the horizontal advance: the caller
// adds it to its running x.
int drawKeyHint(const std::string& icon, const std::string& caption, int x, int y, int w, int gap);
// The advance of a key hint whose caption rendered captionWidth pixels wide.
int keyHintAdvance(const std::string& caption, int w, int gap, int captionWidth);
// A flat coloured rectangle lying at height y, from (x, z) to (x + width, z + depth).
void drawTranslucentQuad(double x, double y, double z, double width, double depth, double r, double g,
                         double b, double a);
// The same rectangle without telling the DrawRecorder: for shapes that report themselves as a
// whole, such as the tile cursor. Draws nothing without an OpenGL context.
void paintTranslucentQuad(double x, double y, double z, double width, double depth, double r, double g,
                          double b, double a);
