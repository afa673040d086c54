// Feeds arbitrary bytes to the storage reader; whatever decodes must have passed the check of its
// tails alone, must also print as JSON, and printing it, writing it afresh and reading that back
// must give the same JSON again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "pipeline/MetakitJson.h"
#include "storage/MetakitDecoder.h"
#include "storage/MetakitStorage.h"
#include "storage/MetakitWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MetakitStorage storage;
    std::string error;
    // The tails alone, as a file is checked before the rest of it is read: whatever they refuse,
    // the whole decode refuses too.
    const size_t tailsSize = size < MetakitDecoder::TAILS_SIZE ? size : MetakitDecoder::TAILS_SIZE;
    std::string tailsError;
    const bool tailsFit = MetakitDecoder::checkTails(data + size - tailsSize, tailsSize, size, tailsError);
    if (!storage.decode(data, size, &error)) {
        if (!storage.views.empty() || error.empty()) std::abort();
        return 0;
    }
    if (!tailsFit) std::abort();
    std::string json = MetakitJson::toJson(storage);
    std::vector<uint8_t> written;
    if (!MetakitWriter::encode(storage.views, storage.byteOrder, written, &error)) return 0;
    MetakitStorage again;
    if (!again.decode(written.data(), written.size(), &error)) std::abort();
    // Same views; the description is compared in its normalised form only (a file may spell
    // types in lower case or leave them out).
    std::string reread = MetakitJson::toJson(again);
    if (json.substr(json.find("\"views\"")) != reread.substr(reread.find("\"views\""))) std::abort();
    return 0;
}
