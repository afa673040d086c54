#pragma once
// A keyboard event as SDL delivers it: press or release of one key with its modifiers.

#include <SDL/SDL.h>

inline SDL_Event keyEvent(SDLKey sym, Uint8 type = SDL_KEYDOWN, int mod = KMOD_NONE) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = sym;
    event.key.keysym.mod = SDLMod(mod);
    return event;
}
