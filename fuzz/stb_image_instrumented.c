// The PNG decoder compiled into the texture fuzz target, so that the
// sanitizers and the coverage see inside it: the shared library the program
// uses is not instrumented. Its definitions take the place of the library's.
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
