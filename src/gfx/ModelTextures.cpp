#include "gfx/Model.h"

#include <GL/glu.h>
#include <SDL_image.h>

#include "gfx/GlContext.h"
#include "gfx/Log.h"
#include "gfx/TextureUpload.h"

std::string Model::resolveTexturePath(const std::string& modelFile, const std::string& textureFile) {
    // Game models sit one folder down and name their images "../textures/...".
    if (textureFile.compare(0, 3, "../") == 0) return textureFile.substr(3);
    if (!textureFile.empty() && textureFile[0] == '/') return textureFile;
    // Other tools store images beside the model: ".\gun.png", "Textures\skin.jpg".
    std::string relative = textureFile;
    while (relative.compare(0, 2, "./") == 0) relative.erase(0, 2);
    std::string::size_type slash = modelFile.rfind('/');
    std::string folder = slash == std::string::npos ? std::string() : modelFile.substr(0, slash + 1);
    return folder + relative;
}

GLuint Model::loadMaterialTexture(const std::string& textureFile) const {
    if (!GlContext::available()) return 0;
    std::string path = resolveTexturePath(modelFileName, textureFile);
    SDL_Surface* image = IMG_Load(path.c_str());
    if (!image) {
        logToStdout("img not loaded: " + textureFile);
        return 0;
    }
    bool alpha = image->format->Amask != 0 || (image->flags & SDL_SRCCOLORKEY);
    SDL_Surface* converted = convertSurface(image, alpha);
    if (!converted) {
        SDL_FreeSurface(image);  // a failed conversion leaves the image with us
        return 0;
    }
    GLenum format = converted->format->BitsPerPixel == 32 ? GL_RGBA : GL_RGB;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    // SDL pads rows to 4 bytes, which is GL's default unpack alignment.
    gluBuild2DMipmaps(GL_TEXTURE_2D, static_cast<GLint>(format), converted->w, converted->h, format,
                      GL_UNSIGNED_BYTE, converted->pixels);
    SDL_FreeSurface(converted);
    return texture;
}
