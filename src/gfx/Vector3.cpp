#include "gfx/Vector3.h"

#include <cmath>
#include <iomanip>
#include <iostream>
#include <sstream>

#include "gfx/Log.h"

Vector3::Vector3(const double values[3]) : x(values[0]), y(values[1]), z(values[2]) {}

Vector3::Vector3(const float values[3]) : x(values[0]), y(values[1]), z(values[2]) {}

double& Vector3::operator[](int i) {
    switch (i) {
    case 0:
        return x;
    case 1:
        return y;
    case 2:
        return z;
    default:
        logToStderr("Exception: Out of bounds");
        return x;
    }
}

double Vector3::operator[](int i) const {
    return const_cast<Vector3&>(*this)[i];
}

Vector3 Vector3::operator+(const Vector3& o) const {
    return {x + o.x, y + o.y, z + o.z};
}
Vector3 Vector3::operator-(const Vector3& o) const {
    return {x - o.x, y - o.y, z - o.z};
}
Vector3 Vector3::operator-() const {
    return {-x, -y, -z};
}
Vector3 Vector3::operator*(double s) const {
    return {x * s, y * s, z * s};
}
Vector3 Vector3::operator/(double s) const {
    return {x / s, y / s, z / s};
}

Vector3& Vector3::operator+=(const Vector3& o) {
    x += o.x;
    y += o.y;
    z += o.z;
    return *this;
}

Vector3& Vector3::operator-=(const Vector3& o) {
    x -= o.x;
    y -= o.y;
    z -= o.z;
    return *this;
}

Vector3& Vector3::operator*=(double s) {
    x *= s;
    y *= s;
    z *= s;
    return *this;
}

Vector3& Vector3::operator/=(double s) {
    x /= s;
    y /= s;
    z /= s;
    return *this;
}

double Vector3::length() const {
    return std::sqrt(x * x + y * y + z * z);
}

Vector3 Vector3::normalized() const {
    double len = length();
    if (len == 0.0) return *this;
    return {x / len, y / len, z / len};
}

Vector3 operator*(double s, const Vector3& v) {
    return v * s;
}

double dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

std::ostream& operator<<(std::ostream& out, const Vector3& v) {
    // Formatted on the side so the caller's stream keeps its own flags.
    std::ostringstream text;
    text << std::fixed << std::setprecision(4) << std::setw(10) << v.x << ", " << std::setw(10) << v.y << ", "
         << std::setw(10) << v.z;
    return out << text.str();
}
