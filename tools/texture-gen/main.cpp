// texture-gen: paints every interface image and material texture of the game from code, and the
// game's desktop icon.
//
//   texture-gen --font FONT.ttf OUTDIR
//   texture-gen --icon SIZE FILE.png
//
// Writes into OUTDIR (created if missing). The output depends only on this program and the
// font, so rebuilding gives the same files byte for byte.

#include "Canvas.h"
#include "IconArt.h"
#include "ImageWriter.h"
#include "InterfaceArt.h"
#include "MaterialArt.h"

#include <SDL_ttf.h>

#include <sys/stat.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
int usage() {
    std::fprintf(stderr,
                 "usage: texture-gen --font FONT.ttf OUTDIR\n"
                 "       texture-gen --icon SIZE FILE.png\n");
    return 2;
}

bool ensureDirectory(const std::string& dir, std::string& error) {
    struct stat st;
    if (stat(dir.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return true;
        error = dir + " exists and is not a directory";
        return false;
    }
    if (mkdir(dir.c_str(), 0777) != 0) {
        error = "cannot create " + dir + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// The icon alone, at one size from 16 to 1024 pixels.
int writeIcon(const std::string& sizeText, const std::string& file) {
    char* end = nullptr;
    long size = std::strtol(sizeText.c_str(), &end, 10);
    if (sizeText.empty() || *end != '\0' || size < 16 || size > 1024) return usage();
    std::string error;
    if (!ImageWriter::savePng(IconArt::icon(static_cast<int>(size)), file, error)) {
        std::fprintf(stderr, "texture-gen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--icon")
        return argc == 4 ? writeIcon(argv[2], argv[3]) : usage();
    std::string font, outDir;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--font" && i + 1 < argc)
            font = argv[++i];
        else if (!arg.empty() && arg[0] != '-' && outDir.empty())
            outDir = arg;
        else
            return usage();
    }
    if (font.empty() || outDir.empty()) return usage();

    // Checked before anything is written, so that a missing font leaves no half-made set.
    FILE* probe = std::fopen(font.c_str(), "rb");
    if (!probe) {
        std::fprintf(stderr, "texture-gen: cannot read the font %s: %s\n", font.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::fclose(probe);

    if (TTF_Init() != 0) {
        std::fprintf(stderr, "texture-gen: cannot start SDL_ttf: %s\n", TTF_GetError());
        return 1;
    }
    std::string error;
    bool ok = ensureDirectory(outDir, error) && InterfaceArt(font).writeAll(outDir, error) &&
              MaterialArt::writeAll(outDir, error);
    TTF_Quit();
    if (!ok) {
        std::fprintf(stderr, "texture-gen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
