#pragma once
// A model described in YAML (see docs/models.md): materials, joints with their keyframes, and
// parts built from primitives. Reading it checks everything a modder can get wrong and reports
// the first problem with its line number; the result is the file content, ready for Ms3dWriter.

#include "Ms3dModel.h"

#include <string>

class ModelDescription {
public:
    // What the model is for: head, torso, left-arm, right-arm, legs, reactor, terrain or other.
    std::string kind;
    Ms3dModel model;

    // Both throw std::runtime_error with a one-line message on any problem. A description may be
    // just "mirror_of: OTHER.yaml", read relative to baseDir: the other model mirrored left to right.
    static ModelDescription fromText(const std::string& text, const std::string& baseDir = ".");
    static ModelDescription fromFile(const std::string& path);

    // Mirrors the model across the x = 0 plane (left becomes right), keeping faces outward.
    void mirror();

    // Animation length in milliseconds, as the game computes it from the animation block.
    double totalMilliseconds() const;
};
