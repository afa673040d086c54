#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>

#include "gfx/Matrix.h"
#include "gfx/Quaternion.h"
#include "gfx/Vector3.h"

namespace {

const double pi = 3.14159265358979323846;

void expectNear(const Vector3& actual, const Vector3& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectNear(const Quaternion& actual, const Quaternion& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.w, expected.w, tolerance);
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void expectNear(const Matrix& actual, const Matrix& expected, double tolerance = 1e-9) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual.m[i], expected.m[i], tolerance) << "element " << i;
}

TEST(Vector3Test, CrossLengthAndNormalized) {
    Vector3 a(1, 2, 3), b(4, 5, 6);
    expectNear(cross(Vector3(1, 0, 0), Vector3(0, 1, 0)), {0, 0, 1});
    expectNear(cross(a, b), {-3, 6, -3});
    EXPECT_DOUBLE_EQ(dot(a, b), 32.0);
    EXPECT_DOUBLE_EQ(Vector3(3, 4, 0).length(), 5.0);
    expectNear(Vector3(3, 4, 0).normalized(), {0.6, 0.8, 0});
    expectNear(Vector3(0, 0, 0).normalized(), {0, 0, 0});
}

TEST(Vector3Test, IndexingOutOfRangeReportsAndGivesX) {
    Vector3 v(7, 8, 9);
    EXPECT_EQ(v[1], 8);
    v[2] = 1;
    EXPECT_EQ(v.z, 1);
    testing::internal::CaptureStderr();
    double& wrong = v[3];
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(&wrong, &v.x);
    EXPECT_EQ(err, "Exception: Out of bounds\n");
}

TEST(Vector3Test, PrintedFormLeavesStreamFlagsAlone) {
    std::ostringstream out;
    out << Vector3(1, 2, 3);
    EXPECT_EQ(out.str(), "    1.0000,     2.0000,     3.0000");
    out.str("");
    out << Vector3(-0.5, 12345.678919, 0) << ' ' << 0.5;
    EXPECT_EQ(out.str(), "   -0.5000, 12345.6789,     0.0000 0.5");
}

TEST(MatrixTest, ProductsAndTranspose) {
    Matrix a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    expectNear(a * identityMatrix, a);
    Matrix t = a.transpose();
    EXPECT_EQ(t(0, 1), 5);
    EXPECT_EQ(t(3, 0), 4);
    Matrix p = a * t;
    EXPECT_EQ(p(0, 0), 1 + 4 + 9 + 16);
    EXPECT_EQ(p(1, 0), 5 + 12 + 21 + 32);
    // m * v uses the rotation part only.
    expectNear(a * Vector3(1, 1, 1), {6, 18, 30});
    // A B applies B first: rotate about z, then about x.
    Matrix rx = Matrix::fromEulerDegrees(90, 0, 0), rz = Matrix::fromEulerDegrees(0, 0, 90);
    expectNear((rx * rz) * Vector3(1, 0, 0), rx * (rz * Vector3(1, 0, 0)));
    expectNear((rx * rz) * Vector3(1, 0, 0), {0, 0, 1}, 1e-9);
}

TEST(MatrixTest, IndexOutOfBoundsThrows) {
    Matrix m;
    m(3, 3) = 2;
    EXPECT_EQ(m.m[15], 2);
    try {
        m(4, 0);
        FAIL() << "no error";
    } catch (const std::out_of_range& e) {
        EXPECT_STREQ(e.what(), "Matrix index out of bounds.");
    }
    EXPECT_THROW(m(0, 4), std::out_of_range);
}

TEST(MatrixTest, EulerRotations) {
    expectNear(Matrix::fromEulerRadians(0, 0, 0), identityMatrix);
    // y by 90 degrees carries x onto -z.
    expectNear(Matrix::fromEulerDegrees(0, 90, 0) * Vector3(1, 0, 0), {0, 0, -1}, 1e-9);
    // x by 90 degrees carries y onto z; z by 90 carries x onto y.
    expectNear(Matrix::fromEulerDegrees(90, 0, 0) * Vector3(0, 1, 0), {0, 0, 1}, 1e-9);
    expectNear(Matrix::fromEulerDegrees(0, 0, 90) * Vector3(1, 0, 0), {0, 1, 0}, 1e-9);
    // The composite is Rx * Ry * Rz, checked element by element.
    double ax = 0.3, ay = -0.7, az = 1.1;
    Matrix composite = Matrix::fromEulerRadians(ax, 0, 0) * Matrix::fromEulerRadians(0, ay, 0) *
                       Matrix::fromEulerRadians(0, 0, az);
    expectNear(Matrix::fromEulerRadians(ax, ay, az), composite);
    const float angles[3] = {0.3f, -0.7f, 1.1f};
    expectNear(Matrix::fromEulerRadians(angles), Matrix::fromEulerRadians(Vector3(angles)));
    const float degrees[3] = {30.0f, 45.0f, 60.0f};
    expectNear(Matrix::fromEulerDegrees(degrees),
               Matrix::fromEulerRadians(30 * 3.14159265359 / 180, 45 * 3.14159265359 / 180,
                                        60 * 3.14159265359 / 180));
}

TEST(MatrixTest, ToGLIsColumnMajorWithTranslation) {
    float out[16];
    identityMatrix.toGL(out, Vector3(1, 2, 3));
    const float expected[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1};
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(out[i], expected[i]) << i;
    Matrix a(1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16);
    a.toGL(out, Vector3(0, 0, 0));
    EXPECT_FLOAT_EQ(out[1], 5);   // row 1, column 0
    EXPECT_FLOAT_EQ(out[4], 2);   // row 0, column 1
    EXPECT_FLOAT_EQ(out[3], 13);  // row 3, column 0 is kept
    EXPECT_FLOAT_EQ(out[15], 16);
}

TEST(QuaternionTest, MatrixOfQuaternionIsNormalisedFirst) {
    // 90 degrees about z, given at twice unit length.
    double h = std::sqrt(0.5);
    Matrix m(Quaternion(2 * h, 0, 0, 2 * h));
    expectNear(m, Matrix::fromEulerDegrees(0, 0, 90), 1e-9);
    expectNear(Matrix(Quaternion(1, 0, 0, 0)), identityMatrix);
}

TEST(QuaternionTest, FromEulerCoversEveryBranch) {
    // Case 1: the identity.
    const float none[3] = {0, 0, 0};
    expectNear(Quaternion::fromEulerRadians(none), {1, 0, 0, 0});
    // Case 1 with a real rotation round-trips through the matrix.
    const float some[3] = {0.4f, -0.2f, 0.9f};
    Quaternion q = Quaternion::fromEulerRadians(some);
    EXPECT_NEAR(q.length(), 1.0, 1e-9);
    expectNear(Matrix(q), Matrix::fromEulerRadians(some), 1e-9);
    const float fpi = static_cast<float>(pi);
    // Case 2: 180 degrees about x (m00 = 1 is the largest).
    const float aboutX[3] = {fpi, 0, 0};
    Quaternion qx = Quaternion::fromEulerRadians(aboutX);
    EXPECT_NEAR(std::fabs(qx.x), 1.0, 1e-6);
    EXPECT_NEAR(qx.w, 0.0, 1e-6);
    // Case 3: 180 degrees about y.
    const float aboutY[3] = {0, fpi, 0};
    Quaternion qy = Quaternion::fromEulerRadians(aboutY);
    EXPECT_NEAR(qy.y, 1.0, 1e-6);
    EXPECT_NEAR(qy.w, 0.0, 1e-6);
    // Case 4: 180 degrees about z: m00 = m11 = -1, so T = 0 and the tie falls to the z branch.
    Quaternion qz = Quaternion::fromRotationMatrix(Matrix(-1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1));
    expectNear(qz, {0, 0, 0, 1});
    // Case 3's test compares m11 with m00 only: m22 larger than m11 still takes case 3.
    Quaternion odd =
        Quaternion::fromRotationMatrix(Matrix(-1, 0, 0, 0, 0, -0.5, 0, 0, 0, 0, -0.4, 0, 0, 0, 0, 1));
    double s = 2 * std::sqrt(1 - 0.5 + 1 + 0.4);
    EXPECT_NEAR(odd.y, 0.25 * s, 1e-12);
}

TEST(QuaternionTest, Slerp) {
    const float a3[3] = {0, 0, 0};
    const float b3[3] = {0, 0, 1.2f};
    Quaternion a = Quaternion::fromEulerRadians(a3), b = Quaternion::fromEulerRadians(b3);
    expectNear(slerp(a, a, 0.3), a);
    expectNear(slerp(a, b, 0.0), a, 1e-9);
    expectNear(slerp(a, b, 1.0), b, 1e-9);
    // Halfway is half the angle.
    const float half3[3] = {0, 0, 0.6f};
    expectNear(slerp(a, b, 0.5), Quaternion::fromEulerRadians(half3), 1e-6);
    // A dot product rounded just above 1 gives a, not NaN.
    Quaternion big(1.0000000001, 0, 0, 0);
    Quaternion r = slerp(big, Quaternion(1, 0, 0, 0), 0.5);
    EXPECT_FALSE(std::isnan(r.w));
    EXPECT_EQ(r.w, big.w);
    // No hemisphere flip: from q to -q' goes the long way and is not normalised afterwards.
    // -b is the same rotation as b (1.2 about z), but halfway along the long arc from 0 to
    // 1.2 - 2 pi lies 0.6 - pi, not 0.6.
    Quaternion far = slerp(a, b * -1.0, 0.5);
    expectNear(Matrix(far) * Vector3(1, 0, 0), {std::cos(0.6 - pi), std::sin(0.6 - pi), 0}, 1e-6);
}

}  // namespace
