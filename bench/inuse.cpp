// Which set a Menu Extra shows, for an extra with 20 sets of 40 pictures of
// 4 KB, as the status bar asks after a click:   bench_inuse WORK_DIR
// Makes the library and the bundle in WORK_DIR when missing (the bundle then
// shows the last set's pictures), then answers once and prints the answer.
#include "library/InUse.h"
#include "library/Layout.h"
#include "platform/core/FileManager.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string picture(int set, int index) {
    std::string bytes("II*\0", 4);
    bytes.resize(4096, static_cast<char>('a' + (set * 7 + index) % 26));
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_inuse WORK_DIR\n");
        return 2;
    }
    const std::string work = argv[1];
    ::setenv("HOME", (work + "/home").c_str(), 1);
    ::setenv("TRAYSKIN_SYSROOT", (work + "/system").c_str(), 1);
    namespace fs = platform::fs;
    const std::string resources = library::menuExtrasFolder() + "/Bench.menu/Contents/Resources";
    if (!fs::exists(resources)) {
        fs::createDirectoryChain(resources);
        for (int set = 0; set < 20; ++set) {
            const std::string folder =
                library::libraryRoot() + "/Bench/Set" + std::to_string(10 + set);
            fs::createDirectoryChain(folder);
            for (int i = 0; i < 40; ++i) {
                const std::string name = "/Picture" + std::to_string(10 + i) + ".tif";
                fs::createFile(folder + name, picture(set, i));
                if (set == 19)
                    fs::createFile(resources + name, picture(set, i));
            }
        }
    }
    const library::InUse inUse = library::setInUse("Bench");
    std::printf("%s\n", inUse.kind == library::InUse::Kind::Set ? inUse.set.c_str() : "?");
    return inUse.kind == library::InUse::Kind::Set ? 0 : 1;
}
