// Every file the game reads beside its binary, apart from data.db and the models, is in the
// built game directory with the size and format the screens draw it at.

#include "../support/TestImage.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "gfx/GlExtensions.h"

namespace {
const std::string gameDir = GEARWARD_GAME_DIR;

struct Named {
    const char* file;
    int width;
    int height;
};

// The interface images and the sizes at which the screens draw them.
const Named interfaceImages[] = {
    {"UIWideColumnDark.bmp", 1024, 703},
    {"UIColumnDark.bmp", 200, 703},
    {"UIColumn.bmp", 200, 20},
    {"UIWideColumn.bmp", 1024, 20},
    {"UICursor.png", 7, 16},
    {"UICursorDark.png", 7, 16},
    {"UICheck.png", 14, 15},
    {"UIStatUp.png", 15, 12},
    {"UIStatDown.png", 15, 12},
    {"UIKeyEsc.bmp", 39, 25},
    {"UIKeySpace.bmp", 57, 25},
    {"UIKeyEnter.bmp", 57, 25},
    {"UIKeyShift.bmp", 52, 25},
    {"UIKeyUp.bmp", 28, 25},
    {"UIKeyDown.bmp", 28, 25},
    {"UIKeyLeft.bmp", 28, 25},
    {"UIKeyRight.bmp", 28, 25},
};

// The material textures the models name.
const char* materials[] = {
    "armor_plate.bmp", "armor_dark.bmp", "hazard_stripes.bmp", "circuit.bmp",  "visor.bmp", "tread.bmp",
    "grass.bmp",       "road.bmp",       "asphalt.bmp",        "concrete.bmp", "brick.bmp", "windows.bmp",
    "water.bmp",       "rubble.bmp",     "foliage.bmp",        "bark.bmp",     "sand.bmp"};

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

TestImage texture(const std::string& name) {
    return TestImage::load(gameDir + "/textures/" + name);
}

// How far apart two rows or columns of pixels are, on average.
double lineDifference(const TestImage& img, bool columns, int a, int b) {
    int n = columns ? img.height : img.width;
    long sum = 0;
    for (int i = 0; i < n; ++i) sum += columns ? img.difference(a, i, b, i) : img.difference(i, a, i, b);
    return double(sum) / n;
}

// Width of the bright ink in one row of a key icon's face.
int inkWidth(const TestImage& img, int y) {
    int n = 0;
    for (int x = 3; x < img.width - 3; ++x)
        if (img.brightness(x, y) > 600) ++n;
    return n;
}
}  // namespace

TEST(GameFiles, InterfaceImagesHaveTheirDrawnSizeAndFormat) {
    for (const Named& n : interfaceImages) {
        SCOPED_TRACE(n.file);
        TestImage img = texture(n.file);
        ASSERT_TRUE(img.loaded) << IMG_GetError();
        EXPECT_EQ(img.width, n.width);
        EXPECT_EQ(img.height, n.height);
        if (endsWith(n.file, ".bmp")) {
            EXPECT_EQ(img.bitsPerPixel, 24);
            EXPECT_FALSE(img.hasAlphaChannel);
        } else {
            // PNG marks are cut out: both see-through and solid pixels.
            EXPECT_EQ(img.bitsPerPixel, 32);
            ASSERT_TRUE(img.hasAlphaChannel);
            int clear = 0, solid = 0;
            for (int y = 0; y < img.height; ++y)
                for (int x = 0; x < img.width; ++x) {
                    if (img.at(x, y)[3] == 0) ++clear;
                    if (img.at(x, y)[3] == 255) ++solid;
                }
            EXPECT_GT(clear, 0);
            EXPECT_GT(solid, 0);
        }
    }
}

TEST(GameFiles, KeyIconsAreDistinctAndArrowsPointTheirWay) {
    TestImage space = texture("UIKeySpace.bmp"), enter = texture("UIKeyEnter.bmp");
    ASSERT_TRUE(space.loaded && enter.loaded);
    EXPECT_NE(space.rgba, enter.rgba) << "Space and Enter must not look the same";

    TestImage up = texture("UIKeyUp.bmp"), down = texture("UIKeyDown.bmp");
    TestImage left = texture("UIKeyLeft.bmp"), right = texture("UIKeyRight.bmp");
    ASSERT_TRUE(up.loaded && down.loaded && left.loaded && right.loaded);
    // The head of an arrow is its widest part; find the row (or column) where it is.
    auto widestRow = [](const TestImage& img) {
        int best = 0, row = 0;
        for (int y = 2; y < img.height - 2; ++y)
            if (inkWidth(img, y) > best) {
                best = inkWidth(img, y);
                row = y;
            }
        return row;
    };
    auto widestColumn = [](const TestImage& img) {
        int best = 0, col = 0;
        for (int x = 2; x < img.width - 2; ++x) {
            int n = 0;
            for (int y = 3; y < img.height - 3; ++y)
                if (img.brightness(x, y) > 600) ++n;
            if (n > best) {
                best = n;
                col = x;
            }
        }
        return col;
    };
    EXPECT_LT(widestRow(up), widestRow(down));
    EXPECT_LT(widestColumn(left), widestColumn(right));
    EXPECT_GT(inkWidth(up, widestRow(up)), 6) << "the arrow is drawn";
}

// Relative luminance of an sRGB colour, as the accessibility guidelines define it (0 black, 1 white).
double luminance(const uint8_t* rgb) {
    double sum = 0;
    const double weights[3] = {0.2126, 0.7152, 0.0722};
    for (int i = 0; i < 3; ++i) {
        const double c = rgb[i] / 255.0;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

// The marks drawn over the dark panels stand out from them: the median luminance of each mark's
// solid pixels against the lightest twentieth of the panel's (its bright right-hand edge line
// left out), a contrast ratio of at least 3:1.
TEST(GameFiles, CursorsAndMarksStandOutFromThePanels) {
    TestImage panel = texture("UIColumnDark.bmp");
    ASSERT_TRUE(panel.loaded);
    std::vector<double> behind;
    for (int y = 0; y < panel.height; ++y)
        for (int x = 0; x < panel.width - 3; ++x) behind.push_back(luminance(panel.at(x, y)));
    std::sort(behind.begin(), behind.end());
    const double panelLight = behind[behind.size() * 19 / 20];
    for (const char* file :
         {"UICursor.png", "UICursorDark.png", "UICheck.png", "UIStatUp.png", "UIStatDown.png"}) {
        TestImage mark = texture(file);
        ASSERT_TRUE(mark.loaded) << file;
        std::vector<double> solid;
        for (int y = 0; y < mark.height; ++y)
            for (int x = 0; x < mark.width; ++x)
                if (mark.at(x, y)[3] == 255) solid.push_back(luminance(mark.at(x, y)));
        ASSERT_FALSE(solid.empty()) << file;
        std::nth_element(solid.begin(), solid.begin() + solid.size() / 2, solid.end());
        const double markLight = solid[solid.size() / 2];
        const double ratio =
            (std::max(markLight, panelLight) + 0.05) / (std::min(markLight, panelLight) + 0.05);
        std::printf("contrast of %s against the panels: %.2f:1\n", file, ratio);
        EXPECT_GE(ratio, 3.0) << file;
    }
}

TEST(GameFiles, SearchlightFadesFromTheFootUpAndIsBlackAtItsEdges) {
    TestImage beam = texture("SearchlightTexture.bmp");
    ASSERT_TRUE(beam.loaded);
    EXPECT_EQ(beam.bitsPerPixel, 24);
    EXPECT_FALSE(beam.hasAlphaChannel);
    int w = beam.width, h = beam.height, mid = h / 2;
    // The beam's foot is at s = 1 (the right-hand column), its top at s = 0.
    EXPECT_GT(beam.brightness(w - 2, mid), 500);
    EXPECT_GT(beam.brightness(w - 2, mid), beam.brightness(w / 2, mid));
    EXPECT_GT(beam.brightness(w / 2, mid), beam.brightness(w / 8, mid));
    EXPECT_GT(beam.brightness(w - 2, mid), beam.brightness(w - 2, h / 8));
    // Clamped edges are repeated along the whole beam: they must add nothing.
    for (int x = 0; x < w; ++x) {
        EXPECT_EQ(beam.brightness(x, 0), 0);
        EXPECT_EQ(beam.brightness(x, h - 1), 0);
    }
    for (int y = 0; y < h; ++y) EXPECT_EQ(beam.brightness(0, y), 0);
}

TEST(GameFiles, MaterialTexturesAreOpaqueTileableAndNotFlat) {
    for (const char* name : materials) {
        SCOPED_TRACE(name);
        TestImage img = texture(name);
        ASSERT_TRUE(img.loaded) << IMG_GetError();
        EXPECT_EQ(img.width, 128);
        EXPECT_EQ(img.height, 128);
        EXPECT_EQ(img.bitsPerPixel, 24);
        EXPECT_FALSE(img.hasAlphaChannel);
        for (bool columns : {true, false}) {
            // Across the wrap-around edge the picture must change no more than it does between
            // any two neighbouring lines inside it.
            double largest = 0;
            for (int i = 0; i + 1 < 128; ++i)
                largest = std::max(largest, lineDifference(img, columns, i, i + 1));
            double seam = lineDifference(img, columns, 127, 0);
            EXPECT_LE(seam, largest + 3.0) << (columns ? "left/right" : "top/bottom") << " seam";
        }
        int lo = 765, hi = 0;
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x) {
                lo = std::min(lo, img.brightness(x, y));
                hi = std::max(hi, img.brightness(x, y));
            }
        EXPECT_GT(hi - lo, 40) << "a texture with no detail";
    }
}

TEST(GameFiles, RoadLineRunsAlongTheVerticalAxis) {
    TestImage road = texture("road.bmp");
    ASSERT_TRUE(road.loaded);
    // Dashes on the centre column, plain asphalt a quarter tile to either side.
    int lit = 0;
    for (int y = 0; y < 128; ++y)
        if (road.brightness(64, y) > 500) ++lit;
    EXPECT_GT(lit, 48);
    EXPECT_LT(lit, 120) << "the centre line is dashed";
    for (int y = 0; y < 128; ++y) {
        EXPECT_LT(road.brightness(32, y), 400);
        EXPECT_LT(road.brightness(96, y), 400);
    }
}

TEST(GameFiles, FontsOpenAndCarryTheirLicences) {
    struct Font {
        const char* file;
        const char* licence;
        const char* licenceNames;
    };
    // The game font, and the face of the title's "ARC".
    const Font fonts[] = {
        {"UniversCondensed.ttf", "UniversCondensed-LICENSE.txt", "ParaType"},
        {"Eurofurence.ttf", "Eurofurence-LICENSE.txt", "Open Font License"},
    };
    ASSERT_EQ(TTF_Init(), 0);
    for (const Font& each : fonts) {
        TTF_Font* font = TTF_OpenFont((gameDir + "/" + each.file).c_str(), 24);
        ASSERT_NE(font, nullptr) << each.file << ": " << TTF_GetError();
        SDL_Color white = {255, 255, 255, 0};
        SDL_Surface* text = TTF_RenderText_Blended(font, "NEW GAME ARC", white);
        ASSERT_NE(text, nullptr) << each.file;
        EXPECT_GT(text->w, 40) << each.file;
        SDL_FreeSurface(text);
        TTF_CloseFont(font);

        std::ifstream licence(gameDir + "/" + each.licence);
        std::string all((std::istreambuf_iterator<char>(licence)), std::istreambuf_iterator<char>());
        EXPECT_NE(all.find(each.licenceNames), std::string::npos) << each.licence;
    }
    TTF_Quit();
}

TEST(GameFiles, VertexProgramIsAnArbProgramTheGameReadsWhole) {
    const std::string path = gameDir + "/shader.vsh";
    std::unique_ptr<char[]> text = readShaderFile(path.c_str());
    ASSERT_NE(text, nullptr) << path << " cannot be read";
    std::string program = text.get();
    // The game hands the driver the text up to its first NUL: none may cut the program short.
    EXPECT_EQ(program.size(), std::filesystem::file_size(path));
    EXPECT_EQ(program.rfind("!!ARBvp1.0\n", 0), 0u);
    size_t end = program.find_last_not_of(" \t\r\n");
    ASSERT_NE(end, std::string::npos);
    size_t lastLine = program.find_last_of('\n', end);
    EXPECT_EQ(program.substr(lastLine == std::string::npos ? 0 : lastLine + 1, end + 1 - (lastLine + 1)),
              "END");
}
