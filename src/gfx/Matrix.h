#pragma once
#include <ostream>

#include "gfx/Vector3.h"

class Quaternion;

// 4 x 4 matrix of doubles, row-major: element (r, c) is m[4 r + c]. Vectors are columns,
// so A * B applies B first.
class Matrix {
public:
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    // The identity.
    constexpr Matrix() = default;
    constexpr Matrix(double m00, double m01, double m02, double m03, double m10, double m11, double m12,
                     double m13, double m20, double m21, double m22, double m23, double m30, double m31,
                     double m32, double m33)
        : m{m00, m01, m02, m03, m10, m11, m12, m13, m20, m21, m22, m23, m30, m31, m32, m33} {}
    // Rotation matrix of the quaternion (normalised first).
    explicit Matrix(const Quaternion& q);

    // Row r, column c; either above 3 throws std::out_of_range("Matrix index out of bounds.").
    double& operator()(unsigned r, unsigned c);
    double operator()(unsigned r, unsigned c) const;

    Matrix operator*(const Matrix& other) const;
    // Rotation part only: the fourth row and column are ignored.
    Vector3 operator*(const Vector3& v) const;
    Matrix operator+(const Matrix& other) const;
    Matrix operator-(const Matrix& other) const;
    Matrix operator-() const;
    Matrix operator*(double s) const;
    Matrix operator/(double s) const;
    Matrix& operator*=(const Matrix& other);
    Matrix& operator+=(const Matrix& other);
    Matrix& operator-=(const Matrix& other);
    Matrix& operator*=(double s);
    Matrix& operator/=(double s);

    Matrix transpose() const;

    // Rx(ax) * Ry(ay) * Rz(az).
    static Matrix fromEulerRadians(double ax, double ay, double az);
    static Matrix fromEulerRadians(const Vector3& angles);
    static Matrix fromEulerRadians(const float angles[3]);
    static Matrix fromEulerDegrees(double ax, double ay, double az);
    static Matrix fromEulerDegrees(const Vector3& angles);
    static Matrix fromEulerDegrees(const float angles[3]);

    // Column-major floats for glMultMatrixf, with t as the translation column.
    void toGL(float out[16], const Vector3& t) const;
};

Matrix operator*(double s, const Matrix& m);

// Four lines, one per row: each element fixed, 4 decimals, 10 wide, followed by a blank.
std::ostream& operator<<(std::ostream& out, const Matrix& m);

inline constexpr Matrix identityMatrix{};
