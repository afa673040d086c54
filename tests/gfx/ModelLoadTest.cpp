#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <sstream>

#include "ModelTestSupport.h"
#include "Ms3dBuilder.h"

namespace {

const double pi = 3.14159265358979323846;

struct Box {
    Vector3 min{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                std::numeric_limits<double>::max()};
    Vector3 max{-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                -std::numeric_limits<double>::max()};
};

// Bounding box of the vertices where the file put them: bound vertices are kept in their joint's
// rest frame, so they are carried back to model space first.
Box restBox(const Model& model) {
    Box box;
    for (const Vertex& v : model.vertices) {
        Vector3 p = v.position;
        if (v.bone >= 0) {
            const Joint& j = model.joints[v.bone];
            p = j.absoluteRotation * p + j.absolutePosition;
        }
        for (int i = 0; i < 3; ++i) {
            box.min[i] = std::min(box.min[i], p[i]);
            box.max[i] = std::max(box.max[i], p[i]);
        }
    }
    return box;
}

void expectBox(const Model& model, const Vector3& min, const Vector3& max) {
    Box box = restBox(model);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(box.min[i], min[i], 1e-5) << "min " << i;
        EXPECT_NEAR(box.max[i], max[i], 1e-5) << "max " << i;
    }
}

int unboundVertices(const Model& model) {
    return static_cast<int>(std::count_if(model.vertices.begin(), model.vertices.end(),
                                          [](const Vertex& v) { return v.bone == -1; }));
}

std::vector<std::size_t> groupSizes(const Model& model) {
    std::vector<std::size_t> sizes;
    for (const Mesh& mesh : model.meshes) sizes.push_back(mesh.triangleIndices.size());
    return sizes;
}

std::vector<int> groupMaterials(const Model& model) {
    std::vector<int> materials;
    for (const Mesh& mesh : model.meshes) materials.push_back(mesh.material);
    return materials;
}

// ---- Real files written by MilkShape and other tools ----

TEST(ModelFixtureTest, BoxHasAnEmptyGroupAndNoMaterials) {
    testing::internal::CaptureStdout();
    Model model(fixturePath("Box.ms3d"));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading: " + fixturePath("Box.ms3d") + "\n");
    EXPECT_EQ(model.fileName(), fixturePath("Box.ms3d"));
    EXPECT_EQ(model.vertices.size(), 8u);
    EXPECT_EQ(model.triangles.size(), 12u);
    EXPECT_EQ(groupSizes(model), (std::vector<std::size_t>{0, 12}));
    EXPECT_EQ(groupMaterials(model), (std::vector<int>{-1, -1}));
    EXPECT_TRUE(model.materials.empty());
    EXPECT_TRUE(model.joints.empty());
    EXPECT_DOUBLE_EQ(model.totalTime, 1250.0);
    EXPECT_EQ(unboundVertices(model), 8);
    expectBox(model, {-1, -1, -1}, {1, 1, 1});
}

TEST(ModelFixtureTest, AsteroidIgnoresItsCommentBlockAndLooksBesideItselfForItsImage) {
    Model model(fixturePath("asteroid1.ms3d"));
    EXPECT_EQ(model.vertices.size(), 42u);
    EXPECT_EQ(model.triangles.size(), 80u);
    EXPECT_EQ(groupSizes(model), (std::vector<std::size_t>{80}));
    EXPECT_EQ(groupMaterials(model), (std::vector<int>{0}));
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_EQ(model.materials[0].textureFile, "./asteroid1.jpg");
    EXPECT_EQ(model.materials[0].texturePath, fixturePath("asteroid1.jpg"));
    EXPECT_EQ(model.materials[0].texture, 0u);
    EXPECT_DOUBLE_EQ(model.totalTime, 1000.0);
    EXPECT_TRUE(model.joints.empty());
    EXPECT_EQ(unboundVertices(model), 42);
    expectBox(model, {-17.3611507, -15.4054737, -13.3544722}, {17.6819191, 15.2155752, 12.685297});
}

TEST(ModelFixtureTest, TwoSpheresCrossTheirMaterials) {
    Model model(fixturePath("twospheres_withmats.ms3d"));
    EXPECT_EQ(model.vertices.size(), 124u);
    EXPECT_EQ(model.triangles.size(), 240u);
    EXPECT_EQ(groupSizes(model), (std::vector<std::size_t>{120, 120}));
    EXPECT_EQ(groupMaterials(model), (std::vector<int>{1, 0}));
    ASSERT_EQ(model.materials.size(), 2u);
    for (const Material& m : model.materials) {
        EXPECT_EQ(m.textureFile, "");  // garbage after the NUL is not part of the path
        EXPECT_EQ(m.texturePath, "");
        EXPECT_EQ(m.texture, 0u);
    }
    EXPECT_DOUBLE_EQ(model.totalTime, 1250.0);
    EXPECT_TRUE(model.joints.empty());
    expectBox(model, {-63, -13.5, -94}, {167, 181, 94});
}

TEST(ModelFixtureTest, GunHasOneAnimatedJointAndMixedBinding) {
    Model model(fixturePath("gun.ms3d"));
    EXPECT_EQ(model.vertices.size(), 194u);
    EXPECT_EQ(model.triangles.size(), 327u);
    EXPECT_EQ(groupSizes(model), (std::vector<std::size_t>{263, 16, 48}));
    EXPECT_EQ(groupMaterials(model), (std::vector<int>{0, 0, 0}));
    ASSERT_EQ(model.materials.size(), 1u);
    EXPECT_EQ(model.materials[0].textureFile, "./gun.png");
    EXPECT_EQ(model.materials[0].texturePath, fixturePath("gun.png"));
    EXPECT_DOUBLE_EQ(model.totalTime, 2500.0);
    EXPECT_EQ(unboundVertices(model), 30);
    for (const Vertex& v : model.vertices) EXPECT_TRUE(v.bone == -1 || v.bone == 0);

    ASSERT_EQ(model.joints.size(), 1u);
    const Joint& joint = model.joints[0];
    EXPECT_EQ(joint.parent, -1);
    EXPECT_NEAR(joint.absolutePosition.y, 7.60236073, 1e-6);
    EXPECT_NEAR(joint.absolutePosition.z, -0.056028977, 1e-7);
    ASSERT_EQ(joint.rotationKeys.size(), 5u);
    ASSERT_EQ(joint.translationKeys.size(), 5u);
    const float times[5] = {0.0416666679f, 0.583333313f, 1.25f, 1.875f, 2.5f};
    for (int k = 0; k < 5; ++k) {
        EXPECT_FLOAT_EQ(joint.rotationKeys[k].time, times[k] * 1000.0f);
        EXPECT_FLOAT_EQ(joint.translationKeys[k].time, times[k] * 1000.0f);
        EXPECT_EQ(joint.rotationKeys[k].jointIndex, 0);
    }
    EXPECT_FLOAT_EQ(joint.rotationKeys[0].parameter[1], -0.0349065773f);
    EXPECT_FLOAT_EQ(joint.rotationKeys[3].parameter[2], 0.0699086562f);
    EXPECT_FLOAT_EQ(joint.translationKeys[1].parameter[1], 0.279927731f);
    EXPECT_FLOAT_EQ(joint.translationKeys[1].parameter[2], 2.09945416f);
    expectBox(model, {-4.92803955, -12.6616478, -14.1965332}, {4.6767149, 16.1886368, 37.9121017});
}

// Where each fixture's joints end; the bytes after that are not needed.
struct FixtureEnd {
    const char* name;
    std::size_t jointsEnd;
};

TEST(ModelFixtureTest, EveryTruncationIsRefusedWithoutReadingPastTheEnd) {
    const FixtureEnd fixtures[] = {{"Box.ms3d", 1092},
                                   {"asteroid1.ms3d", 6823},
                                   {"twospheres_withmats.ms3d", 19970},
                                   {"gun.ms3d", 27212}};
    for (const FixtureEnd& fixture : fixtures) {
        std::vector<unsigned char> bytes = readFileBytes(fixturePath(fixture.name));
        ASSERT_GE(bytes.size(), fixture.jointsEnd) << fixture.name;
        Model model("");
        model.modelFileName = fixturePath(fixture.name);
        std::size_t refused = 0;
        testing::internal::CaptureStderr();
        for (std::size_t size = 0; size <= bytes.size(); ++size) {
            bool loaded = loadExact(model, bytes, size);
            if (loaded != (size >= fixture.jointsEnd))
                ADD_FAILURE() << fixture.name << " cut at " << size << " loaded " << loaded;
            if (!loaded) {
                ++refused;
                if (!model.vertices.empty() || !model.joints.empty())
                    ADD_FAILURE() << fixture.name << " cut at " << size << " left a partial model";
            }
        }
        std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(refused, fixture.jointsEnd);
        // One "FAIL: " line per refusal, nothing else.
        std::istringstream lines(errors);
        std::string line;
        std::size_t count = 0;
        while (std::getline(lines, line)) {
            ++count;
            EXPECT_EQ(line.rfind("FAIL: ", 0), 0u) << line;
            if (line.rfind("FAIL: ", 0) != 0) break;
        }
        EXPECT_EQ(count, refused) << fixture.name;
    }
}

// ---- Models built in the test ----

Ms3dBuilder quad() {
    Ms3dBuilder b;
    b.vertices = {{0, 0, 0, -1}, {1, 0, 0, -1}, {1, 1, 0, -1}, {0, 1, 0, -1}};
    b.triangles = {Ms3dBuilder::triangle(0, 1, 2), Ms3dBuilder::triangle(0, 2, 3)};
    b.groups = {{"quad", {0, 1}, -1}};
    return b;
}

std::string loadError(const Ms3dBuilder& builder, bool* loaded = nullptr) {
    Model model("");
    testing::internal::CaptureStderr();
    bool ok = loadExact(model, builder.bytes());
    std::string err = testing::internal::GetCapturedStderr();
    if (loaded) *loaded = ok;
    if (!ok) {
        EXPECT_TRUE(model.vertices.empty() && model.triangles.empty() && model.meshes.empty());
    }
    return err;
}

TEST(ModelLoadTest, HeaderAndVersion) {
    Ms3dBuilder b = quad();
    bool loaded = true;
    b.version = 2;
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Incorrect version: 2\n");
    EXPECT_FALSE(loaded);
    b.version = 5;
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Incorrect version: 5\n");
    b.version = -1;
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Incorrect version: -1\n");
    b.version = 3;
    EXPECT_EQ(loadError(b, &loaded), "");
    EXPECT_TRUE(loaded);
    b.id = "MS3D000001";
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Header error\n");
    EXPECT_FALSE(loaded);
}

TEST(ModelLoadTest, EmptyNameIsNeverOpenedAndMissingFileIsReported) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Model nameless("");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(nameless.load(""));
    EXPECT_TRUE(nameless.vertices.empty());

    std::string missing = std::string(GEARWARD_BINARY_DIR) + "/no/such/model.ms3d";
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    Model model(missing);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "FAIL: failed to open model file \"" + missing + "\"\n");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Loading: " + missing + "\n");
    EXPECT_EQ(model.fileName(), missing);
    EXPECT_TRUE(model.vertices.empty());
}

TEST(ModelLoadTest, IndicesFromTheFileAreChecked) {
    bool loaded = true;
    Ms3dBuilder b = quad();
    b.triangles[1].c = 4;  // one past the last vertex
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Triangle vertex index out of range\n");
    EXPECT_FALSE(loaded);

    b = quad();
    b.groups[0].triangles = {0, 2};
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Group triangle index out of range\n");
    EXPECT_FALSE(loaded);

    b = quad();
    b.materials = {{"paint", {1, 0, 0, 1}, "", ""}};
    b.groups[0].material = 1;  // one past the last material
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Group material index out of range\n");
    EXPECT_FALSE(loaded);
    b.groups[0].material = 0;
    EXPECT_EQ(loadError(b, &loaded), "");
    EXPECT_TRUE(loaded);
    b.groups[0].material = -1;
    EXPECT_EQ(loadError(b, &loaded), "");
    EXPECT_TRUE(loaded);
}

TEST(ModelLoadTest, BonesBeyondTheSkeletonHangFromNothing) {
    Ms3dBuilder b = quad();
    b.joints = {{"root", "", {0, 0, 0}, {5, 0, 0}, {}, {}}};
    b.vertices[0].bone = 0;
    b.vertices[1].bone = 1;    // no second joint
    b.vertices[2].bone = 255;  // -1 in the byte
    b.vertices[3].bone = -7;
    Model model("");
    ASSERT_TRUE(loadExact(model, b.bytes()));
    EXPECT_EQ(model.vertices[0].bone, 0);
    EXPECT_EQ(model.vertices[1].bone, -1);
    EXPECT_EQ(model.vertices[2].bone, -1);
    EXPECT_EQ(model.vertices[3].bone, -1);
    // The bound vertex is now relative to its joint; the others keep their file position.
    EXPECT_DOUBLE_EQ(model.vertices[0].position.x, -5.0);
    EXPECT_DOUBLE_EQ(model.vertices[1].position.x, 1.0);
    EXPECT_DOUBLE_EQ(model.vertices[2].position.y, 1.0);
}

TEST(ModelLoadTest, AnimationLength) {
    Ms3dBuilder b = quad();
    b.framesPerSecond = 30;
    b.totalFrames = 60;
    b.joints = {{"root", "", {0, 0, 0}, {0, 0, 0}, {{0.5f, 0, 0, 0}}, {{0.5f, 1, 2, 3}}}};
    Model model("");
    ASSERT_TRUE(loadExact(model, b.bytes()));
    EXPECT_DOUBLE_EQ(model.totalTime, 2000.0);
    EXPECT_FLOAT_EQ(model.joints[0].rotationKeys[0].time, 500.0f);
    EXPECT_FLOAT_EQ(model.joints[0].translationKeys[0].time, 500.0f);
    EXPECT_FLOAT_EQ(model.joints[0].translationKeys[0].parameter[2], 3.0f);

    b.framesPerSecond = 0;
    ASSERT_TRUE(loadExact(model, b.bytes()));
    EXPECT_EQ(model.totalTime, 0.0);
}

TEST(ModelLoadTest, TexturePathsAreResolved) {
    EXPECT_EQ(Model::resolveTexturePath("models/hull.ms3d", "../textures/hull.bmp"), "textures/hull.bmp");
    EXPECT_EQ(Model::resolveTexturePath("models/gun.ms3d", "./gun.png"), "models/gun.png");
    EXPECT_EQ(Model::resolveTexturePath("models/gun.ms3d", "Textures/skin.jpg"), "models/Textures/skin.jpg");
    EXPECT_EQ(Model::resolveTexturePath("gun.ms3d", "./gun.png"), "gun.png");
    EXPECT_EQ(Model::resolveTexturePath("a/b/gun.ms3d", "/abs/gun.png"), "/abs/gun.png");

    // Stored with backslashes and garbage after the NUL, as MilkShape writes them.
    Ms3dBuilder b = quad();
    b.materials = {{"hull", {1, 1, 1, 1}, "..\\textures\\hull.bmp", "\\old\\copy.bmp"},
                   {"skin", {1, 1, 1, 1}, "Textures\\skin.jpg", ""},
                   {"none", {1, 1, 1, 1}, "", "\\gun.png"}};
    Model model("");
    model.modelFileName = "models/robot.ms3d";
    ASSERT_TRUE(loadExact(model, b.bytes()));
    EXPECT_EQ(model.materials[0].textureFile, "../textures/hull.bmp");
    EXPECT_EQ(model.materials[0].texturePath, "textures/hull.bmp");
    EXPECT_EQ(model.materials[1].texturePath, "models/Textures/skin.jpg");
    EXPECT_EQ(model.materials[2].textureFile, "");
    EXPECT_EQ(model.materials[2].texturePath, "");
    for (const Material& m : model.materials)
        EXPECT_EQ(m.texture, 0u);  // no OpenGL context here: nothing is read
    EXPECT_FLOAT_EQ(model.materials[0].ambient[0], 1.0f);
    EXPECT_FLOAT_EQ(model.materials[0].shininess, 10.0f);
}

TEST(ModelLoadTest, ParentsAreFoundByNameAmongEarlierJoints) {
    Ms3dBuilder b = quad();
    // Two joints named "arm": the child hangs from the first.
    b.joints = {{"arm", "", {0, 0, 0}, {1, 0, 0}, {}, {}},
                {"arm", "", {0, 0, 0}, {0, 9, 0}, {}, {}},
                {"hand", "arm", {0, 0, 0}, {0, 2, 0}, {}, {}}};
    Model model("");
    ASSERT_TRUE(loadExact(model, b.bytes()));
    EXPECT_EQ(model.joints[0].parent, -1);
    EXPECT_EQ(model.joints[1].parent, -1);
    EXPECT_EQ(model.joints[2].parent, 0);

    bool loaded = true;
    b.joints[2].parent = "leg";
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Unable to find parent bone in MS3D file\n");
    EXPECT_FALSE(loaded);
    b.joints[2].parent = "hand";  // itself
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Parent bone comes after its child in MS3D file\n");
    b.joints = {{"hand", "arm", {0, 0, 0}, {0, 2, 0}, {}, {}}, {"arm", "", {0, 0, 0}, {1, 0, 0}, {}, {}}};
    EXPECT_EQ(loadError(b, &loaded), "FAIL: Parent bone comes after its child in MS3D file\n");
    EXPECT_FALSE(loaded);
}

TEST(ModelLoadTest, RestPosesFollowTheParentChain) {
    const float quarter = static_cast<float>(pi / 2);
    Ms3dBuilder b = quad();
    // The shoulder turns a quarter about z; the elbow sits 2 along the shoulder's x axis.
    b.joints = {{"shoulder", "", {0, 0, quarter}, {1, 0, 0}, {}, {}},
                {"elbow", "shoulder", {0, 0, 0}, {2, 0, 0}, {}, {}}};
    b.vertices[2] = {1, 2, 0, 1};  // at the elbow
    b.vertices[3] = {1, 4, 0, 1};  // two further along the elbow's x (model y)
    Model model("");
    ASSERT_TRUE(loadExact(model, b.bytes()));
    const Joint& elbow = model.joints[1];
    EXPECT_NEAR(elbow.absolutePosition.x, 1.0, 1e-6);
    EXPECT_NEAR(elbow.absolutePosition.y, 2.0, 1e-6);
    EXPECT_NEAR((elbow.absoluteRotation * Vector3(1, 0, 0)).y, 1.0, 1e-6);
    EXPECT_NEAR(model.vertices[2].position.length(), 0.0, 1e-6);
    EXPECT_NEAR(model.vertices[3].position.x, 2.0, 1e-6);
    EXPECT_NEAR(model.vertices[3].position.y, 0.0, 1e-6);
    // restart put every final pose at the rest pose.
    EXPECT_NEAR(elbow.finalPosition.y, 2.0, 1e-6);
}

TEST(ModelListingTest, ExactText) {
    Ms3dBuilder b;
    b.vertices = {{1, 2, 3, -1}, {-1, 0.5f, 0, 0}, {0, 0, 0, -1}};
    b.triangles = {Ms3dBuilder::triangle(0, 1, 2)};
    b.groups = {{"g", {0}, -1}};
    b.joints = {{"root", "", {0, 0, 0}, {1, 0, 0}, {{0.5f, 0.25f, 0, -1}}, {{1.5f, 2, 0, 0}, {2, 0, 3, 0}}}};
    Model model("");
    model.modelFileName = "tiny.ms3d";
    ASSERT_TRUE(loadExact(model, b.bytes()));
    std::ostringstream out;
    out << model;
    // The Euler formula's -cy sz and -sx cy give negative zeros, printed as such.
    const std::string identity =
        "    1.0000    -0.0000     0.0000     0.0000 \n"
        "    0.0000     1.0000    -0.0000     0.0000 \n"
        "    0.0000     0.0000     1.0000     0.0000 \n"
        "    0.0000     0.0000     0.0000     1.0000 \n";
    EXPECT_EQ(out.str(),
              "Filename: tiny.ms3d\n"
              "Number of vertices: 3\n"
              "Vertex 0:     1.0000,     2.0000,     3.0000\n"
              "Vertex 1:    -2.0000,     0.5000,     0.0000\n"
              "Vertex 2:     0.0000,     0.0000,     0.0000\n"
              "\n"
              "Number of triangles: 1\n"
              "Triangle 0: 0 1 2 \n"
              "\n"
              "Number of meshes: 1\n"
              "\n"
              "\n"
              "Number of triangles in mesh 0: 1\n"
              "Mesh 0, triangle index 0: 0\n"
              "\n"
              "Number of joints: 1\n"
              "\n"
              "\n"
              "======================================================\n"
              "Joint 0: \n"
              "Parent index: -1\n"
              "Local rotation: " +
                  identity +
                  "Local position:     1.0000,     0.0000,     0.0000\n"
                  "World rotation: " +
                  identity +
                  "World position:     1.0000,     0.0000,     0.0000\n"
                  "Number of rotation keyframes: 1\n"
                  "Number of position keyframes: 2\n"
                  "\n"
                  "Joint 0 Rotation Keyframe 0:\n"
                  "Joint index: 0\n"
                  "Time: 500\n"
                  "Angles (radians): X: 0.25 Y: 0 Z: -1\n"
                  "\n"
                  "Joint 0 Translation Keyframe 0:\n"
                  "Joint index: 0\n"
                  "Time: 1500\n"
                  "Translation: X: 2 Y: 0 Z: 0\n"
                  "\n"
                  "Joint 0 Translation Keyframe 1:\n"
                  "Joint index: 0\n"
                  "Time: 2000\n"
                  "Translation: X: 0 Y: 3 Z: 0\n");
}

}  // namespace
