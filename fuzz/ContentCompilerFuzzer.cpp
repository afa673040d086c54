// Feeds arbitrary text to the content compiler; what compiles is checked, written, read back and
// checked again, and both checks must agree.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "pipeline/ContentChecker.h"
#include "pipeline/ContentCompiler.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<MetakitView> views;
    std::string error;
    if (!ContentCompiler::compileText(text, "fuzz.yaml", views, error)) return 0;
    std::vector<std::string> problems = ContentChecker::check(views);
    std::vector<uint8_t> bytes = MetakitWriter::write(views);
    MetakitStorage storage;
    if (!storage.decode(bytes.data(), bytes.size(), &error)) std::abort();
    if (ContentChecker::check(storage) != problems) std::abort();
    return 0;
}
