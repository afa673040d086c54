#include "gfx/Model.h"

#include <climits>

#include "gfx/Quaternion.h"

namespace {

// Advances a joint's key search to the first key not before t and keeps it for the next frame.
// Returns that index: 0 before the first key, the key count after the last.
std::size_t searchKeys(const std::vector<Keyframe>& keys, int& current, int t) {
    std::size_t f = current < 0 ? 0 : static_cast<std::size_t>(current);
    if (f > keys.size()) f = keys.size();
    while (f < keys.size() && keys[f].time < t) ++f;
    current = static_cast<int>(f);
    return f;
}

double fraction(const Keyframe& a, const Keyframe& b, int t) {
    return (t - a.time) / (b.time - a.time);
}

}  // namespace

void Model::restart() {
    for (Joint& joint : joints) {
        joint.currentRotationKey = 0;
        joint.currentTranslationKey = 0;
        joint.finalRotation = joint.absoluteRotation;
        joint.finalPosition = joint.absolutePosition;
    }
    timer.reset();
    timer.start();
}

void Model::animate() {
    animate(static_cast<int>(timer.elapsed()));
}

void Model::animate(int t) {
    if (t > totalTime) {
        if (looping) {
            restart();
            t = 0;
        } else {
            t = totalTime <= 0 ? 0 : totalTime >= INT_MAX ? INT_MAX : static_cast<int>(totalTime);
        }
    }
    for (Joint& joint : joints) {
        Vector3 offset;
        if (!joint.translationKeys.empty()) {
            const std::vector<Keyframe>& keys = joint.translationKeys;
            std::size_t f = searchKeys(keys, joint.currentTranslationKey, t);
            if (f == 0) {
                offset = Vector3(keys.front().parameter);
            } else if (f == keys.size()) {
                offset = Vector3(keys.back().parameter);
            } else {
                const Keyframe& a = keys[f - 1];
                const Keyframe& b = keys[f];
                Vector3 from(a.parameter), to(b.parameter);
                offset = from + (to - from) * fraction(a, b, t);
            }
        }

        Matrix keyRotation;
        if (!joint.rotationKeys.empty()) {
            const std::vector<Keyframe>& keys = joint.rotationKeys;
            std::size_t f = searchKeys(keys, joint.currentRotationKey, t);
            if (f == 0) {
                keyRotation = Matrix::fromEulerRadians(keys.front().parameter);
            } else if (f == keys.size()) {
                keyRotation = Matrix::fromEulerRadians(keys.back().parameter);
            } else {
                const Keyframe& a = keys[f - 1];
                const Keyframe& b = keys[f];
                Quaternion from = Quaternion::fromEulerRadians(a.parameter);
                Quaternion to = Quaternion::fromEulerRadians(b.parameter);
                keyRotation = Matrix(slerp(from, to, fraction(a, b, t)));
            }
        }

        if (joint.parent < 0) {
            joint.finalRotation = joint.relativeRotation * keyRotation;
            joint.finalPosition = joint.relativePosition + offset;
        } else {
            // Parents come earlier in the list, so theirs is already this frame's pose.
            const Joint& parent = joints[joint.parent];
            joint.finalRotation = parent.finalRotation * joint.relativeRotation * keyRotation;
            joint.finalPosition =
                parent.finalPosition + parent.finalRotation * (joint.relativePosition + offset);
        }
    }
}
