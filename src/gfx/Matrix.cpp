#include "gfx/Matrix.h"

#include <cmath>
#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "gfx/Quaternion.h"

namespace {
const double degreesToRadians = 3.14159265359 / 180.0;
}

Matrix::Matrix(const Quaternion& quaternion) {
    Quaternion q = quaternion.normalized();
    double w = q.w, x = q.x, y = q.y, z = q.z;
    *this = Matrix(1 - 2 * (y * y + z * z), 2 * (x * y - w * z), 2 * (x * z + w * y), 0, 2 * (x * y + w * z),
                   1 - 2 * (x * x + z * z), 2 * (y * z - w * x), 0, 2 * (x * z - w * y), 2 * (y * z + w * x),
                   1 - 2 * (x * x + y * y), 0, 0, 0, 0, 1);
}

double& Matrix::operator()(unsigned r, unsigned c) {
    if (r > 3 || c > 3) throw std::out_of_range("Matrix index out of bounds.");
    return m[4 * r + c];
}

double Matrix::operator()(unsigned r, unsigned c) const {
    return const_cast<Matrix&>(*this)(r, c);
}

Matrix Matrix::operator*(const Matrix& o) const {
    Matrix result;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += m[4 * i + k] * o.m[4 * k + j];
            result.m[4 * i + j] = sum;
        }
    return result;
}

Vector3 Matrix::operator*(const Vector3& v) const {
    return {m[0] * v.x + m[1] * v.y + m[2] * v.z, m[4] * v.x + m[5] * v.y + m[6] * v.z,
            m[8] * v.x + m[9] * v.y + m[10] * v.z};
}

Matrix Matrix::operator+(const Matrix& o) const {
    return Matrix(*this) += o;
}
Matrix Matrix::operator-(const Matrix& o) const {
    return Matrix(*this) -= o;
}
Matrix Matrix::operator-() const {
    return Matrix(*this) *= -1.0;
}
Matrix Matrix::operator*(double s) const {
    return Matrix(*this) *= s;
}
Matrix Matrix::operator/(double s) const {
    return Matrix(*this) /= s;
}

Matrix& Matrix::operator*=(const Matrix& o) {
    return *this = *this * o;
}

Matrix& Matrix::operator+=(const Matrix& o) {
    for (int i = 0; i < 16; ++i) m[i] += o.m[i];
    return *this;
}

Matrix& Matrix::operator-=(const Matrix& o) {
    for (int i = 0; i < 16; ++i) m[i] -= o.m[i];
    return *this;
}

Matrix& Matrix::operator*=(double s) {
    for (double& e : m) e *= s;
    return *this;
}

Matrix& Matrix::operator/=(double s) {
    for (double& e : m) e /= s;
    return *this;
}

Matrix Matrix::transpose() const {
    Matrix t;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) t.m[4 * i + j] = m[4 * j + i];
    return t;
}

Matrix Matrix::fromEulerRadians(double ax, double ay, double az) {
    double cx = std::cos(ax), sx = std::sin(ax);
    double cy = std::cos(ay), sy = std::sin(ay);
    double cz = std::cos(az), sz = std::sin(az);
    return Matrix(cy * cz, -cy * sz, sy, 0, sx * sy * cz + cx * sz, -sx * sy * sz + cx * cz, -sx * cy, 0,
                  -cx * sy * cz + sx * sz, cx * sy * sz + sx * cz, cx * cy, 0, 0, 0, 0, 1);
}

Matrix Matrix::fromEulerRadians(const Vector3& a) {
    return fromEulerRadians(a.x, a.y, a.z);
}

Matrix Matrix::fromEulerRadians(const float a[3]) {
    return fromEulerRadians(a[0], a[1], a[2]);
}

Matrix Matrix::fromEulerDegrees(double ax, double ay, double az) {
    return fromEulerRadians(ax * degreesToRadians, ay * degreesToRadians, az * degreesToRadians);
}

Matrix Matrix::fromEulerDegrees(const Vector3& a) {
    return fromEulerDegrees(a.x, a.y, a.z);
}

Matrix Matrix::fromEulerDegrees(const float a[3]) {
    return fromEulerDegrees(a[0], a[1], a[2]);
}

void Matrix::toGL(float out[16], const Vector3& t) const {
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[4 * c + r] = static_cast<float>(m[4 * r + c]);
    out[12] = static_cast<float>(t.x);
    out[13] = static_cast<float>(t.y);
    out[14] = static_cast<float>(t.z);
}

Matrix operator*(double s, const Matrix& m) {
    return m * s;
}

std::ostream& operator<<(std::ostream& out, const Matrix& m) {
    std::ostringstream text;
    text << std::fixed << std::setprecision(4);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) text << std::setw(10) << m.m[4 * r + c] << ' ';
        text << '\n';
    }
    return out << text.str();
}
