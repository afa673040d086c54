#include "DefaultDatabase.h"

namespace fs = std::filesystem;

std::string defaultDatabaseFor(const fs::path& program) {
    const fs::path prefix = program.parent_path().parent_path();
    for (const fs::path& candidate :
         {prefix / "share" / "games" / "gearward-arc" / "data.db", prefix / "game" / "data.db"}) {
        std::error_code failure;
        if (fs::is_regular_file(candidate, failure)) return candidate.string();
    }
    return "data.db";
}

std::string defaultDatabase() {
    std::error_code failure;
    const fs::path self = fs::read_symlink("/proc/self/exe", failure);
    return failure ? "data.db" : defaultDatabaseFor(self);
}
