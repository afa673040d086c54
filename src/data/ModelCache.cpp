#include "data/ModelCache.h"

#include "gfx/Model.h"

Model* cachedModel(ModelCache& cache, const std::string& fileName) {
    auto found = cache.find(fileName);
    if (found != cache.end()) return found->second.get();
    auto inserted = cache.emplace(fileName, std::make_unique<Model>(fileName));
    return inserted.first->second.get();
}
