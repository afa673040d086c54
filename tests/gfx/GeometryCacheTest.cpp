// Which meshes of a model the geometry cache may keep: those whose vertices never move.
#include <gtest/gtest.h>

#include "ModelTestSupport.h"
#include "Ms3dBuilder.h"

namespace {

TEST(GeometryCacheTest, OnlyMeshesHangingFromJointsThatNeverMoveAreStill) {
    Ms3dBuilder b;
    // Joints: a still root, a swinging arm under it, a hand without keys under the arm, and a
    // second still joint under the root.
    b.joints = {{"root", "", {0, 0, 0}, {0, 0, 0}, {}, {}},
                {"arm", "root", {0, 0, 0}, {1, 0, 0}, {{0.0f, 0, 0, 0}, {1.0f, 0, 1, 0}}, {}},
                {"hand", "arm", {0, 0, 0}, {1, 0, 0}, {}, {}},
                {"base", "root", {0, 0, 0}, {0, -1, 0}, {}, {}}};
    // Triangle t hangs from the vertices 3t .. 3t + 2.
    int bones[6][3] = {{-1, -1, -1}, {0, 0, 3}, {1, 1, 1}, {2, 2, 2}, {-1, 3, 1}, {3, 3, 3}};
    for (auto& triangle : bones)
        for (int bone : triangle) b.vertices.push_back({0, 0, 0, bone});
    for (int t = 0; t < 6; ++t) b.triangles.push_back(Ms3dBuilder::triangle(3 * t, 3 * t + 1, 3 * t + 2));
    b.groups = {{"loose", {0}, -1}, {"body", {1, 5}, -1}, {"arm", {2}, -1},
                {"hand", {3}, -1},  {"mixed", {4}, -1},   {"empty", {}, -1}};
    b.framesPerSecond = 1;
    b.totalFrames = 2;
    Model model("");
    ASSERT_TRUE(loadExact(model, b.bytes()));
    EXPECT_FALSE(model.poseIsFixed());
    // The hand has no keys of its own but follows the arm; one moving corner moves the mesh.
    EXPECT_EQ(model.stillMeshes(), (std::vector<bool>{true, true, false, false, false, true}));

    model.joints[1].rotationKeys.clear();
    EXPECT_TRUE(model.poseIsFixed());
    EXPECT_EQ(model.stillMeshes(), std::vector<bool>(6, true));
}

}  // namespace
