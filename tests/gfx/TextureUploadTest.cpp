#include <gtest/gtest.h>

#include "gfx/TextureUpload.h"

namespace {

TEST(TextureUploadTest, SmallestPowerOfTwo) {
    EXPECT_EQ(smallestPowerOfTwo(0), 1);
    EXPECT_EQ(smallestPowerOfTwo(1), 1);
    EXPECT_EQ(smallestPowerOfTwo(2), 2);
    EXPECT_EQ(smallestPowerOfTwo(3), 4);
    EXPECT_EQ(smallestPowerOfTwo(256), 256);
    EXPECT_EQ(smallestPowerOfTwo(257), 512);
    EXPECT_EQ(smallestPowerOfTwo(640), 1024);
    EXPECT_EQ(smallestPowerOfTwo(0x7fffffff), 1 << 30);
}

TEST(TextureUploadTest, CoordinatesSelectTheImage) {
    float c[4];
    imageTextureCoords(100, 30, c);
    EXPECT_FLOAT_EQ(c[0], 0);
    EXPECT_FLOAT_EQ(c[1], 0);
    EXPECT_FLOAT_EQ(c[2], 0.78125f);
    EXPECT_FLOAT_EQ(c[3], 0.9375f);
    imageTextureCoords(256, 256, c);
    EXPECT_FLOAT_EQ(c[2], 1);
    EXPECT_FLOAT_EQ(c[3], 1);
}

class ConvertSurfaceTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError(); }
    void TearDown() override { SDL_Quit(); }
};

TEST_F(ConvertSurfaceTest, AlreadyRightFormatIsReturnedAsIs) {
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, 4, 2, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(convertSurface(rgba, true), rgba);
    SDL_FreeSurface(rgba);
}

TEST_F(ConvertSurfaceTest, OtherFormatsAreConvertedAndTheImageConsumed) {
    // BGR 24-bit with a colour key: converted to RGBA, pixels keep their colour.
    SDL_Surface* bgr = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 1, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_NE(bgr, nullptr);
    SDL_FillRect(bgr, nullptr, SDL_MapRGB(bgr->format, 10, 20, 30));
    SDL_Surface* rgb = convertSurface(bgr, false);  // frees bgr
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->format->BitsPerPixel, 24);
    const Uint8* p = static_cast<const Uint8*>(rgb->pixels);
    EXPECT_EQ(p[0], 10);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 30);
    SDL_Surface* keyed = convertSurface(rgb, true);  // frees rgb
    ASSERT_NE(keyed, nullptr);
    EXPECT_EQ(keyed->format->BitsPerPixel, 32);
    EXPECT_EQ(keyed->format->Amask, 0xFF000000u);
    SDL_FreeSurface(keyed);
}

TEST(ConvertSurfaceNoVideoTest, RefusesWithoutVideoAndLeavesTheImage) {
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 2, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    ASSERT_NE(image, nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(convertSurface(image, false), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "SDL not initialized.\n");
    SDL_FreeSurface(image);  // still ours: the sanitizer build would flag a double free
}

}  // namespace
