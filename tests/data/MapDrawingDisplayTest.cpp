// The tile cursor drawn for real: its translucent square and its light beams, and the message
// when the beam image is missing.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <GL/glu.h>

#include "../support/DisplayWindow.h"
#include "data/Map.h"
#include "data/SearchlightBeam.h"
#include "gfx/Camera.h"

namespace {

const std::string missingBeam = "Error: Searchlight texture not found\n";

class MapDrawingDisplayTest : public testing::Test {
protected:
    DisplayWindow window;
    std::filesystem::path folder;
    std::filesystem::path startFolder;

    void SetUp() override {
        ASSERT_TRUE(window.open()) << SDL_GetError();
        SearchlightBeam::forget();
        folder = std::filesystem::temp_directory_path() / ("gearward-map-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder / "textures");
        startFolder = std::filesystem::current_path();
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        SearchlightBeam::forget();
        std::filesystem::current_path(startFolder);
        std::filesystem::remove_all(folder);
    }

    // Looking straight down on tile (2, 3), whose centre is then the middle of the window.
    void lookAtTile() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glViewport(0, 0, 1024, 768);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60, 1024.0f / 768.0f, 0.1, 1024);
        Camera camera(Vector3(12, 0, 16), 30, -90, 0, true);
        camera.apply();
        // As the screen-space drawing of every frame leaves it.
        glEnable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
};

TEST_F(MapDrawingDisplayTest, MissingBeamImageIsReportedPerBeamAndTheSquareStillShows) {
    Map map;
    lookAtTile();
    testing::internal::CaptureStdout();
    map.drawTileCursor(2, 3);
    map.drawTileCursor(2, 3);
    std::fflush(stdout);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out, missingBeam + missingBeam + missingBeam + missingBeam + missingBeam + missingBeam +
                       missingBeam + missingBeam);
    EXPECT_FALSE(SearchlightBeam::loaded());
    // White at a quarter opacity over the tile; black beside it.
    Rgb centre = pixelAt(512, 384);
    EXPECT_NEAR(centre.r, 64, 6);
    EXPECT_TRUE(near(pixelAt(512 + 120, 384), 0, 0, 0));
}

TEST_F(MapDrawingDisplayTest, BeamsShineFromTheCornersOnceTheImageIsThere) {
    ASSERT_TRUE(writeSolidBmp("textures/SearchlightTexture.bmp", 16, 64, 255, 220, 120));
    Map map;
    lookAtTile();
    testing::internal::CaptureStdout();
    map.drawTileCursor(2, 3);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(SearchlightBeam::loaded());
    // The beams rise towards the camera from the corners and add their colour there; the
    // middle of the tile carries only the square.
    int lit = brightestIn(412, 284, 200, 200);
    EXPECT_GT(lit, 200);
    Rgb centre = pixelAt(512, 384);
    EXPECT_LT(centre.r, 100);

    // A cursor off the map is still drawn, at its computed place.
    lookAtTile();
    map.drawTileCursor(-1, 3);
    EXPECT_GT(brightestIn(0, 284, 400, 200), 40);
}

TEST_F(MapDrawingDisplayTest, MapWithoutTerrainDrawsNothing) {
    Map map;
    map.grid = {{nullptr, nullptr}, {nullptr}};
    lookAtTile();
    map.draw();
    EXPECT_EQ(brightestIn(0, 0, 1024, 768), 0);
}

}  // namespace
