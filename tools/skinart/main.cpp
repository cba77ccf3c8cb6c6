// skinart OUTDIR: draws the pictures of the program's skin and writes them as BMP files into OUTDIR, under the
// names the skin description's [PICTURES] section gives.
#include <cstdio>
#include <exception>

#include "tools/skinart/BmpOut.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: skinart OUTDIR\n");
        return 2;
    }
    try {
        skinart::writeSkinPictures(skinart::renderSkin(), argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "skinart: %s\n", e.what());
        return 1;
    }
    return 0;
}
