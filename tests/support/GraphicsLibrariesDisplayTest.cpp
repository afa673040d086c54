// Keeps the OpenGL libraries loaded for the whole display-test run. Each test opens and closes
// its own window, and SDL unloads OpenGL and the Mesa driver on every close; the driver's few
// bytes of process-wide state then show up in the leak check as allocations from unknown
// modules, which no suppression can name. Loaded once here and never unloaded, they stay
// attributable to the driver (and are suppressed in scripts/lsan.supp like every other
// graphics-library allocation).

#include <dlfcn.h>

namespace {

struct GraphicsLibrariesStayLoaded {
    GraphicsLibrariesStayLoaded() {
        const char* const libraries[] = {
            "libGL.so.1",
            "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so",
        };
        for (const char* library : libraries) dlopen(library, RTLD_LAZY | RTLD_GLOBAL | RTLD_NODELETE);
    }
};

const GraphicsLibrariesStayLoaded keepLoaded;

}  // namespace
