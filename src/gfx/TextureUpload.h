#pragma once
// Turning SDL images into OpenGL textures: the interface images and text (drawn each frame)
// and the model materials (made once when a model loads).
#include <GL/gl.h>
#include <SDL.h>

// Smallest power of two not below n: 1 for n of 0 or 1, 1024 for 640.
int smallestPowerOfTwo(int n);

// Texture coordinates (min s, min t, max s, max t) that select a width x height image
// placed in the top-left corner of its power-of-two texture.
void imageTextureCoords(int width, int height, float coords[4]);

// Copies the image into the top-left corner of a power-of-two RGBA texture (nearest filtering,
// no mipmaps) and returns the texture name, or 0 when the work surface cannot be made.
// Always fills coords; never frees the image. Needs an OpenGL context.
GLuint surfaceToTexture(SDL_Surface* image, float coords[4]);

// The image in bytes R, G, B(, A) order: 32 bits with alpha, else 24 bits.
// - returns the image itself when it is already in that format without a colour key;
// - returns a new surface and frees the image when the conversion worked;
// - returns null and leaves the image with the caller (who must free it) when it did not.
SDL_Surface* convertSurface(SDL_Surface* image, bool alpha);
