#pragma once
// Text of a value as the panels print it: default stream formatting (plain decimal for ints).

#include <sstream>
#include <string>

template <typename T>
std::string toString(const T& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}
