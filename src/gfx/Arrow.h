#pragma once
// A flat translucent triangle lying in the 3D scene: the facing arrows of the battle map.

// A triangle at height y centred on (x, z), `width` across its base and `depth` from base to tip,
// pointing south (+z) when angle is 0 and turned `angle` degrees about the vertical axis (90
// points east). Reports an Arrow to the DrawRecorder; draws nothing without an OpenGL context.
void drawArrow(double x, double y, double z, double width, double depth, double angle, double r, double g,
               double b, double a);
