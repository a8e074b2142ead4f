#include "tests/support/Sandbox.h"

#include "platform/core/SystemFolders.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testing_support {

namespace {

// By descriptor, so that trees deeper than the path limit go too.
void removeAt(int folder, const char* name) {
    struct stat st {};
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return;
    if (S_ISDIR(st.st_mode)) {
        ::fchmodat(folder, name, 0700, 0);
        const int inner = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (DIR* dir = inner >= 0 ? ::fdopendir(inner) : nullptr) {
            std::vector<std::string> names;
            while (dirent* e = ::readdir(dir))
                if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                    names.emplace_back(e->d_name);
            for (const auto& child : names)
                removeAt(::dirfd(dir), child.c_str());
            ::closedir(dir);
        }
        ::unlinkat(folder, name, AT_REMOVEDIR);
    } else {
        ::unlinkat(folder, name, 0);
    }
}

void removeAll(const std::string& path) {
    removeAt(AT_FDCWD, path.c_str());
}

} // namespace

Sandbox::Sandbox() {
    char pattern[] = "/tmp/trayskin-test-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (!made) {
        ADD_FAILURE() << "cannot make a temporary folder";
        return;
    }
    base_ = made;
    for (const char* name : {"HOME", platform::kSysrootVariable}) {
        const char* value = std::getenv(name);
        saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    makeFolders(home());
    makeFolders(menuExtras());
    ::setenv("HOME", home().c_str(), 1);
    ::setenv(platform::kSysrootVariable, sysroot().c_str(), 1);
}

Sandbox::~Sandbox() {
    for (const auto& [name, value] : saved_)
        value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    if (!base_.empty())
        removeAll(base_);
}

std::string Sandbox::menuExtras() const {
    return sysroot() + "/System/Library/CoreServices/Menu Extras";
}

void Sandbox::copy(const std::string& fixture) const {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::copy(TRAYSKIN_TESTS_DIR "/" + fixture, base_,
             fs::copy_options::recursive | fs::copy_options::overwrite_existing |
                 fs::copy_options::copy_symlinks,
             error);
    ASSERT_FALSE(error) << fixture << ": " << error.message();
}

void Sandbox::addBundle(const std::string& name,
                        const std::map<std::string, std::string>& resources) {
    const std::string folder = menuExtras() + "/" + name + ".menu/Contents/Resources";
    makeFolders(folder);
    for (const auto& [file, contents] : resources)
        writeFile(folder + "/" + file, contents);
}

void makeFolders(const std::string& path) {
    std::string partial;
    std::stringstream pieces(path);
    std::string piece;
    while (std::getline(pieces, piece, '/')) {
        partial += piece;
        if (!partial.empty())
            ::mkdir(partial.c_str(), 0755);
        partial += "/";
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        ADD_FAILURE() << "cannot make folder " << path;
}

void writeFile(const std::string& path, const std::string& contents, unsigned mode) {
    auto slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0)
        makeFolders(path.substr(0, slash));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << contents;
    out.close();
    if (!out)
        ADD_FAILURE() << "cannot write " << path;
    if (mode && ::chmod(path.c_str(), mode) != 0)
        ADD_FAILURE() << "cannot set the mode of " << path;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void makeSocket(const std::string& path) {
    // Bound by its bare name from inside its folder: socket addresses are
    // short, sandbox paths are not.
    const auto slash = path.rfind('/');
    const std::string folder = path.substr(0, slash);
    const std::string name = path.substr(slash + 1);
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(folder.c_str()), 0) << folder;
    int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.c_str(), std::min(name.size(), sizeof address.sun_path - 1));
    const int bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::close(fd);
    ASSERT_EQ(::chdir(previous), 0);
    ASSERT_EQ(bound, 0) << path;
}

std::map<std::string, std::string> snapshot(const std::string& root) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> out;
    std::error_code error, linkError;
    for (fs::recursive_directory_iterator
             it(root, fs::directory_options::skip_permission_denied, error),
         end;
         !error && it != end; it.increment(error)) {
        const std::string path = it->path().string();
        const std::string rel = path.substr(root.size() + 1);
        const fs::file_status status = it->symlink_status();
        if (fs::is_directory(status))
            out[rel] = "d";
        else if (fs::is_symlink(status))
            out[rel] = "l:" + fs::read_symlink(it->path(), linkError).string();
        else if (fs::is_regular_file(status))
            out[rel] = "f:" + readFile(path);
        else
            out[rel] = "o";
    }
    return out;
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(10)); // polling interval only
    }
    return true;
}

} // namespace testing_support
