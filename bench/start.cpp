// One start-up's library work, without windows: the library set-up (with the
// backup on a first start) and the merge of the example tree of the bundle
// given as the only argument. HOME and TRAYSKIN_SYSROOT say where.
#include "bench/SilentProgress.h"
#include "library/Examples.h"
#include "library/HomeFolder.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_start BUNDLE\n");
        return 2;
    }
    bench::SilentProgress progress;
    if (!library::setupHomeFolder(progress)) {
        std::puts("Problem setting up home folder!");
        return 1;
    }
    if (!library::includeExamples(argv[1])) {
        std::puts("Problem including examples!");
        return 1;
    }
    return 0;
}
