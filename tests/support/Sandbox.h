// A throw-away world for one test: a temporary folder holding a home folder
// (HOME points into it) and a system root (TRAYSKIN_SYSROOT points into it),
// both restored and removed when the sandbox goes.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::string& base() const { return base_; }
    std::string home() const { return base_ + "/home"; }
    std::string sysroot() const { return base_ + "/sys"; }
    // The library root and the Menu Extras folder as the program sees them.
    std::string library() const { return home() + "/Library/Trayskin"; }
    std::string menuExtras() const;

    // Copies everything below a fixture folder (tests/FIXTURE) into the sandbox.
    void copy(const std::string& fixture) const;
    // Adds <name>.menu with the given files under Contents/Resources.
    void addBundle(const std::string& name, const std::map<std::string, std::string>& resources);

private:
    std::string base_;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_; // put back at the end
};

// File helpers that create missing parent folders and report failures through
// gtest. A mode, when given, is set once the file is written (0755: a script).
void writeFile(const std::string& path, const std::string& contents, unsigned mode = 0);
std::string readFile(const std::string& path);
void makeFolders(const std::string& path);
void makeSocket(const std::string& path);

// Every entry below a folder, by relative path: "d" for a folder, "l:<target>"
// for a link, "f:<bytes>" for a file, "o" for anything else.
std::map<std::string, std::string> snapshot(const std::string& root);

// Waits, checking the condition now and then, until it holds or the time is up.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit);

} // namespace testing_support
