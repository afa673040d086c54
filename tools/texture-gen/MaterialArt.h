#pragma once
// The material textures that models name as "../textures/NAME": 128 x 128, opaque, and
// seamless when repeated (every noise repeats at 128 pixels and every shape that crosses an
// edge is painted on the opposite edge too).

#include <string>
#include <vector>

class Canvas;

class MaterialArt {
public:
    static const int size = 128;

    struct Entry {
        const char* file;
        Canvas (*paint)();
    };
    // Every material texture by file name, in a fixed order.
    static const std::vector<Entry>& all();

    static bool writeAll(const std::string& dir, std::string& error);

    static Canvas armorPlate();
    static Canvas armorDark();
    static Canvas hazardStripes();
    static Canvas circuit();
    static Canvas visor();
    static Canvas tread();
    static Canvas grass();
    static Canvas road();
    static Canvas asphalt();
    static Canvas concrete();
    static Canvas brick();
    static Canvas windows();
    static Canvas water();
    static Canvas rubble();
    static Canvas foliage();
    static Canvas bark();
    static Canvas sand();
};
