#include "gfx/GeometryCache.h"

bool GeometryCache::enabled = true;

std::unordered_map<unsigned long, CompiledGeometry>& GeometryCache::entries() {
    static std::unordered_map<unsigned long, CompiledGeometry> kept;
    return kept;
}

unsigned long& GeometryCache::compileCount() {
    static unsigned long count = 0;
    return count;
}

unsigned long GeometryCache::compilations() {
    return compileCount();
}

const CompiledGeometry* GeometryCache::find(unsigned long owner) {
    auto found = entries().find(owner);
    return found == entries().end() ? nullptr : &found->second;
}

void GeometryCache::keep(unsigned long owner, const CompiledGeometry& geometry) {
    release(owner);
    entries()[owner] = geometry;
    compileCount() += 1;
}

void GeometryCache::release(unsigned long owner) {
    auto found = entries().find(owner);
    if (found == entries().end()) return;
    glDeleteLists(found->second.base, found->second.listCount());
    entries().erase(found);
}

unsigned long GeometryCache::newOwner() {
    static unsigned long last = 0;
    return ++last;
}

void GeometryCache::clear() {
    for (const auto& entry : entries()) glDeleteLists(entry.second.base, entry.second.listCount());
    entries().clear();
}

void GeometryCache::forget() {
    entries().clear();
}

std::size_t GeometryCache::size() {
    return entries().size();
}
