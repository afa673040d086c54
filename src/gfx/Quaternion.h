#pragma once

class Matrix;

// Rotation as (w, x, y, z), scalar first; used to interpolate joint rotations between keyframes.
class Quaternion {
public:
    double w = 1.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Quaternion() = default;
    constexpr Quaternion(double w, double x, double y, double z) : w(w), x(x), y(y), z(z) {}

    // The rotation Matrix::fromEulerRadians builds from the same angles; not normalised again.
    static Quaternion fromEulerRadians(const float angles[3]);
    static Quaternion fromRotationMatrix(const Matrix& m);

    double length() const;
    // A zero quaternion stays zero rather than turning into NaNs.
    Quaternion normalized() const;

    Quaternion operator+(const Quaternion& other) const;
    Quaternion operator*(double s) const;
};

Quaternion operator*(double s, const Quaternion& q);
double dot(const Quaternion& a, const Quaternion& b);
// No hemisphere flip: opposite keys take the long way round. Neither input nor result is normalised.
Quaternion slerp(const Quaternion& a, const Quaternion& b, double t);
