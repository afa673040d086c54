#pragma once
// Every model loaded so far, keyed by file name, so that components and terrain types naming the
// same file share one Model (and its animation clock). The cache owns the models.

#include <map>
#include <memory>
#include <string>

class Model;

using ModelCache = std::map<std::string, std::unique_ptr<Model>>;

// The cached model for fileName, loading it on first use. A file that fails to load is cached
// all the same (the Model prints its own FAIL line), so it is never tried twice.
Model* cachedModel(ModelCache& cache, const std::string& fileName);
