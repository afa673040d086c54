#include "gfx/ImageCache.h"

bool ImageCache::enabled = true;

std::map<std::string, ImageCache::Entry>& ImageCache::entries() {
    static std::map<std::string, Entry> kept;
    return kept;
}

const ImageCache::Entry* ImageCache::find(const std::string& file) {
    auto found = entries().find(file);
    return found == entries().end() ? nullptr : &found->second;
}

void ImageCache::store(const std::string& file, const Entry& entry) {
    entries()[file] = entry;
}

void ImageCache::clear() {
    for (auto& entry : entries()) glDeleteTextures(1, &entry.second.texture);
    entries().clear();
}

void ImageCache::forget() {
    entries().clear();
}

size_t ImageCache::size() {
    return entries().size();
}
