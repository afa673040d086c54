#include "gfx/Quaternion.h"

#include <cmath>

#include "gfx/Matrix.h"

Quaternion Quaternion::fromEulerRadians(const float angles[3]) {
    return fromRotationMatrix(Matrix::fromEulerRadians(angles));
}

Quaternion Quaternion::fromRotationMatrix(const Matrix& mat) {
    const double* m = mat.m;
    double m00 = m[0], m01 = m[1], m02 = m[2];
    double m10 = m[4], m11 = m[5], m12 = m[6];
    double m20 = m[8], m21 = m[9], m22 = m[10];
    double trace = 1.0 + m00 + m11 + m22;
    if (trace > 0.0001) {
        double s = 0.5 / std::sqrt(trace);
        return {0.25 / s, (m21 - m12) * s, (m02 - m20) * s, (m10 - m01) * s};
    }
    if (m00 > m11 && m00 > m22) {
        double s = 2.0 * std::sqrt(1.0 + m00 - m11 - m22);
        return {(m21 - m12) / s, 0.25 * s, (m01 + m10) / s, (m02 + m20) / s};
    }
    // Compares m11 with m00 only; every tie falls through to the z case.
    if (m11 > m00) {
        double s = 2.0 * std::sqrt(1.0 + m11 - m00 - m22);
        return {(m02 - m20) / s, (m01 + m10) / s, 0.25 * s, (m12 + m21) / s};
    }
    double s = 2.0 * std::sqrt(1.0 + m22 - m00 - m11);
    return {(m10 - m01) / s, (m02 + m20) / s, (m12 + m21) / s, 0.25 * s};
}

double Quaternion::length() const {
    return std::sqrt(w * w + x * x + y * y + z * z);
}

Quaternion Quaternion::normalized() const {
    double len = length();
    if (len == 0.0) return *this;
    return {w / len, x / len, y / len, z / len};
}

Quaternion Quaternion::operator+(const Quaternion& o) const {
    return {w + o.w, x + o.x, y + o.y, z + o.z};
}

Quaternion Quaternion::operator*(double s) const {
    return {w * s, x * s, y * s, z * s};
}

Quaternion operator*(double s, const Quaternion& q) {
    return q * s;
}

double dot(const Quaternion& a, const Quaternion& b) {
    return a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
}

Quaternion slerp(const Quaternion& a, const Quaternion& b, double t) {
    double d = dot(a, b);
    // Rounding can push the dot of two unit quaternions just past 1, where acos has no value:
    // that is the same rotation, so a is the answer.
    if (d >= 1.0) return a;
    if (d < -1.0) d = -1.0;
    double theta = std::acos(d);
    if (std::fabs(theta) < 0.0001) return a;
    double sinTheta = std::sin(theta);
    return a * (std::sin((1.0 - t) * theta) / sinTheta) + b * (std::sin(t * theta) / sinTheta);
}
