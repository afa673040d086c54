#include <gtest/gtest.h>

#include <cmath>

#include "ModelTestSupport.h"
#include "Ms3dBuilder.h"

namespace {

const float halfTurn = 3.14159265f;

void expectNear(const Vector3& actual, const Vector3& expected, double tolerance = 1e-5) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A 2000 ms animation of the given joints over one triangle.
Model animated(const std::vector<Ms3dBuilder::Joint>& joints) {
    Ms3dBuilder b;
    b.vertices = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, -1}};
    b.triangles = {Ms3dBuilder::triangle(0, 1, 2)};
    b.groups = {{"g", {0}, -1}};
    b.framesPerSecond = 1;
    b.totalFrames = 2;
    b.joints = joints;
    Model model("");
    EXPECT_TRUE(loadExact(model, b.bytes()));
    EXPECT_DOUBLE_EQ(model.totalTime, 2000.0);
    return model;
}

TEST(ModelAnimationTest, TranslationKeysInterpolateLinearly) {
    Model model = animated({{"root", "", {0, 0, 0}, {0, 1, 0}, {}, {{0.0f, 0, 0, 0}, {1.0f, 4, 0, 0}}}});
    const Joint& joint = model.joints[0];
    model.animate(0);
    expectNear(joint.finalPosition, {0, 1, 0});
    model.animate(250);
    expectNear(joint.finalPosition, {1, 1, 0});
    // Exactly at a key: the search stops there and the interval ending there gives u = 1.
    model.animate(1000);
    expectNear(joint.finalPosition, {4, 1, 0});
    EXPECT_EQ(joint.currentTranslationKey, 1);
    // After the last key the last key holds.
    model.animate(1700);
    expectNear(joint.finalPosition, {4, 1, 0});
    EXPECT_EQ(joint.currentTranslationKey, 2);
}

TEST(ModelAnimationTest, FirstKeyHoldsBeforeItAndSearchOnlyMovesForward) {
    Model model = animated({{"root", "", {0, 0, 0}, {0, 0, 0}, {}, {{0.5f, 0, 2, 0}, {1.5f, 0, 6, 0}}}});
    const Joint& joint = model.joints[0];
    model.animate(100);
    expectNear(joint.finalPosition, {0, 2, 0});
    model.animate(1000);
    expectNear(joint.finalPosition, {0, 4, 0});
    // An earlier time without a restart keeps the later interval (and extrapolates within it).
    model.animate(500);
    EXPECT_EQ(joint.currentTranslationKey, 1);
    expectNear(joint.finalPosition, {0, 2, 0});
}

TEST(ModelAnimationTest, RotationKeysSlerp) {
    Model model = animated({{"root", "", {0, 0, 0}, {0, 0, 0}, {{0.0f, 0, 0, 0}, {1.0f, 0, 0, 1.0f}}, {}}});
    const Joint& joint = model.joints[0];
    model.animate(500);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(joint.finalRotation.m[i], Matrix::fromEulerRadians(0, 0, 0.5).m[i], 1e-6);
    model.animate(1000);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(joint.finalRotation.m[i], Matrix::fromEulerRadians(0, 0, 1.0).m[i], 1e-6);
}

TEST(ModelAnimationTest, SingleRotationKeyHoldsAtEveryTime) {
    Model model = animated({{"root", "", {0, 0, 0}, {0, 0, 0}, {{0.0f, 0.3f, 0, 0}}, {}}});
    Matrix expected = Matrix::fromEulerRadians(0.3f, 0, 0);
    for (int t : {0, 1, 999, 2000}) {
        model.animate(t);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(model.joints[0].finalRotation.m[i], expected.m[i], 1e-6) << t;
    }
}

TEST(ModelAnimationTest, ChildrenFollowTheirParentsPose) {
    // The shoulder swings a half turn about z over the first second; the elbow sits 2 along x
    // from it and slides 1 further along its own x.
    Model model =
        animated({{"shoulder", "", {0, 0, 0}, {0, 1, 0}, {{0.0f, 0, 0, 0}, {1.0f, 0, 0, halfTurn}}, {}},
                  {"elbow", "shoulder", {0, 0, 0}, {2, 0, 0}, {}, {{0.0f, 0, 0, 0}, {1.0f, 1, 0, 0}}}});
    const Joint& elbow = model.joints[1];
    model.animate(500);  // shoulder a quarter turn, elbow offset 0.5
    expectNear(elbow.finalPosition, {0, 1 + 2.5, 0});
    expectNear(elbow.finalRotation * Vector3(1, 0, 0), {0, 1, 0});
    model.animate(1000);
    expectNear(elbow.finalPosition, {-3, 1, 0});
    // Vertex 0 hangs from the shoulder, 1 below it at rest: after the half turn it is 1 above.
    expectNear(model.joints[0].finalRotation * model.vertices[0].position + model.joints[0].finalPosition,
               {0, 2, 0});
}

TEST(ModelAnimationTest, LoopingRestartsAndOtherwiseHoldsTheEnd) {
    Model model = animated({{"root", "", {0, 0, 0}, {0, 0, 0}, {}, {{0.0f, 0, 0, 0}, {2.0f, 8, 0, 0}}}});
    Joint& joint = model.joints[0];
    model.animate(1500);
    expectNear(joint.finalPosition, {6, 0, 0});
    model.timer.stop();
    model.animate(2001);  // past the end: back to the first pose, the clock restarted
    expectNear(joint.finalPosition, {0, 0, 0});
    EXPECT_EQ(joint.currentTranslationKey, 0);
    EXPECT_FALSE(model.timer.stopped);
    EXPECT_LT(model.timer.elapsed(), 1000u);

    model.looping = false;
    model.animate(5000);
    expectNear(joint.finalPosition, {8, 0, 0});
}

TEST(ModelAnimationTest, RestartReturnsToTheRestPose) {
    Model model = animated({{"root", "", {0, 0, 0}, {3, 0, 0}, {{0.0f, 0, 1, 0}}, {{0.0f, 0, 5, 0}}}});
    Joint& joint = model.joints[0];
    model.animate(700);
    expectNear(joint.finalPosition, {3, 5, 0});
    model.restart();
    expectNear(joint.finalPosition, {3, 0, 0});
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(joint.finalRotation.m[i], joint.absoluteRotation.m[i]);
    EXPECT_EQ(joint.currentRotationKey, 0);
}

TEST(ModelAnimationTest, GunKeysStartAfterZeroAndEndAtTheTotal) {
    Model model(fixturePath("gun.ms3d"));
    ASSERT_EQ(model.joints.size(), 1u) << fixturePath("gun.ms3d") << " did not load";
    const Joint& joint = model.joints[0];
    // Before its first key (1/24 s) the first key holds: no offset yet.
    model.animate(0);
    expectNear(joint.finalPosition, joint.relativePosition);
    // Halfway between keys 1 (41.67 ms, offset 0) and 2 (583.33 ms, offset (0, 0.2799, 2.0995)).
    model.animate(312);
    double u = (312 - 41.6666679) / (583.333313 - 41.6666679);
    expectNear(joint.finalPosition - joint.relativePosition, {0, 0.279927731 * u, 2.09945416 * u}, 1e-4);
    model.animate(2500);  // exactly the total: not past it, the last key
    expectNear(joint.finalPosition, joint.relativePosition);
    EXPECT_EQ(joint.currentTranslationKey, 4);
}

}  // namespace
