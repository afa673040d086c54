#pragma once
// A model described in YAML (see docs/models.md): materials, joints with their keyframes, and
// parts built from primitives. Reading it checks everything a modder can get wrong and reports
// the first problem with its line number; the result is the file content, ready for Ms3dWriter.

#include "Ms3dModel.h"

#include <string>

class ModelDescription {
public:
    std::string kind;  // what the model is for: head, torso, arm, legs, reactor, terrain or other
    Ms3dModel model;

    // Both throw std::runtime_error with a one-line message on any problem.
    static ModelDescription fromText(const std::string& text);
    static ModelDescription fromFile(const std::string& path);

    // Animation length in milliseconds, as the game computes it from the animation block.
    double totalMilliseconds() const;
};
