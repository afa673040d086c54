#pragma once
// Counts the OpenGL calls the game's code makes in the headless test program, which is linked
// with every function below wrapped (tests/CMakeLists.txt). A test that runs drawing code with no
// OpenGL context checks that the count stays 0: without a context nothing may reach OpenGL.

namespace GlCallCounter {

// Calls to the wrapped functions since the program started.
long count();

}  // namespace GlCallCounter
