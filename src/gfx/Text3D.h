#pragma once
// Text floating in the 3D scene, always turned to face the viewer: the battle's hit markers.

#include <string>

class Camera;
class Vector3;

// World units per pixel of rendered text: a 24-point line stands about 1.4 units tall, a third of
// a tile, readable from the battle camera's distance and within the 2 units markers stack apart.
constexpr double TEXT3D_SCALE = 0.05;

// The text in white, 24 points, centred on `point` and facing the camera's eye upright along its
// up vector (both from the camera's last apply()), with opacity alpha. Reports a Text3D to the
// DrawRecorder; without an OpenGL context nothing is rendered or drawn. Failures write the
// messages of TextLabel::draw (an empty text: "Couldn't render text.") and draw nothing.
void drawText3D(const Camera& camera, const Vector3& point, const std::string& text, double alpha);
