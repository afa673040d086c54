#pragma once
// Decoded interface images kept as GL textures for the run, one per file name. An image that
// cannot be read is not remembered, so it is tried again at its next use.

#include <map>
#include <string>

#include <GL/gl.h>

class ImageCache {
public:
    struct Entry {
        GLuint texture = 0;
        float coords[4] = {0, 0, 0, 0};
    };

    // Switch for the frame benchmark only: off, every draw decodes the file again.
    static bool enabled;

    static const Entry* find(const std::string& file);
    static void store(const std::string& file, const Entry& entry);

    // Deletes every kept texture (needs the GL context that made them).
    static void clear();
    // Drops the entries without touching GL: for when the context they lived in is gone.
    static void forget();
    static size_t size();

private:
    static std::map<std::string, Entry>& entries();
};
