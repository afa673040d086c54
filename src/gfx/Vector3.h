#pragma once
#include <ostream>

// A position or direction in model or world space.
class Vector3 {
public:
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    constexpr Vector3() = default;
    constexpr Vector3(double x, double y, double z) : x(x), y(y), z(z) {}
    explicit Vector3(const double values[3]);
    explicit Vector3(const float values[3]);

    // 0, 1, 2 give x, y, z; anything else is reported on stderr and gives x.
    double& operator[](int i);
    double operator[](int i) const;

    Vector3 operator+(const Vector3& other) const;
    Vector3 operator-(const Vector3& other) const;
    Vector3 operator-() const;
    Vector3 operator*(double s) const;
    Vector3 operator/(double s) const;
    Vector3& operator+=(const Vector3& other);
    Vector3& operator-=(const Vector3& other);
    Vector3& operator*=(double s);
    Vector3& operator/=(double s);

    double length() const;
    // A zero-length vector stays (0, 0, 0) rather than turning into NaNs.
    Vector3 normalized() const;
};

Vector3 operator*(double s, const Vector3& v);
double dot(const Vector3& a, const Vector3& b);
Vector3 cross(const Vector3& a, const Vector3& b);

// x, y, z in fixed notation, 4 decimals, 10 wide, separated by ", "; no line end.
std::ostream& operator<<(std::ostream& out, const Vector3& v);

inline constexpr Vector3 zeroVector{0.0, 0.0, 0.0};
