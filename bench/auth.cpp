// 100 picture copies through the privileged tool, one authmain per file, as
// an install makes them:  bench_auth BUNDLE SOURCE_DIR DEST_DIR
#include "platform/core/Bundle.h"
#include "privileged/AuthRunner.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: bench_auth BUNDLE SOURCE_DIR DEST_DIR\n");
        return 2;
    }
    platform::bundle::setMainBundlePath(argv[1]);
    privileged::authinit();
    for (int i = 0; i < 100; ++i) {
        const std::string name = "/Picture" + std::to_string(i) + ".tif";
        if (privileged::authmain((std::string(argv[2]) + name).c_str(),
                                 (std::string(argv[3]) + name).c_str()) != 0)
            return 1;
    }
    privileged::authdestroy();
    return 0;
}
