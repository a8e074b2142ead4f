// The privileged tool as its own user runs it (not elevated): the copy, and
// every refusal, each with its own exit code and one line on standard error.
#include "privileged/Protocol.h"
#include "tests/privileged/tool/ToolHarness.h"
#include "tests/support/Sandbox.h"
#include "tests/support/TiffFiles.h"

#include <cstring>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace testing_support;

namespace {

const std::string kNew = tiffBytes("new picture bytes");

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        source = box.base() + "/My Set/Volume 1.tif";
        resources = box.base() + "/Menu Extras/Volume.menu/Contents/Resources";
        destination = resources + "/Volume1.tif";
        writeFile(source, kNew);
        writeFile(destination, "old");
        ::chmod(destination.c_str(), 0640);
        form = ownExternalForm();
    }

    ToolRun copy(const std::string& from, const std::string& to, const ToolOptions& options = {}) {
        return runTool(TRAYSKIN_TEST_TOOL, requestBytes(form, from, to), options);
    }
    // The destination's folder holds the target alone, with these bytes.
    void expectOnly(const std::string& bytes) {
        std::string names;
        for (const auto& [name, entry] : snapshot(resources))
            names += name + (entry == "f:" + bytes ? " " : " (other bytes) ");
        EXPECT_EQ(names, "Volume1.tif ");
    }
    void expectUntouched(const ToolRun& run, int code) {
        EXPECT_EQ(run.exitCode, code) << run.err;
        // One line of ours (the dynamic loader may add its own about LD_PRELOAD).
        std::size_t ours = 0;
        for (std::size_t at = run.err.find("Trayskin tool: "); at != std::string::npos;
             at = run.err.find("Trayskin tool: ", at + 1))
            ++ours;
        EXPECT_EQ(ours, 1u) << run.err;
        EXPECT_EQ(run.err.back(), '\n');
        expectOnly("old");
    }

    Sandbox box;
    std::string source, resources, destination;
    AuthorizationExternalForm form{};
};

} // namespace

TEST_F(ToolTest, CopiesByteExactAndKeepsTheMode) {
    // The target's permissions, without set-user-id, set-group-id or sticky.
    for (const mode_t mode : {0640, 04755, 02750, 01644, 07777}) {
        SCOPED_TRACE(mode);
        writeFile(destination, "old");
        ASSERT_EQ(::chmod(destination.c_str(), mode), 0);
        const ToolRun run = copy(source, destination);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
        expectOnly(kNew);
        struct stat st {};
        ASSERT_EQ(::stat(destination.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode & 0777);
    }

    // Binary content in either byte order; a link to a picture gives that
    // picture (followed with the user's own rights).
    std::string bytes;
    for (int i = 0; i < 300000; ++i)
        bytes.push_back(static_cast<char>(i * 7));
    writeFile(source, std::string("MM\0*", 4) + bytes);
    EXPECT_EQ(copy(source, destination).exitCode, 0);
    expectOnly(std::string("MM\0*", 4) + bytes);
    writeFile(box.base() + "/other.tif", tiffBytes("linked"));
    ::symlink((box.base() + "/other.tif").c_str(), (box.base() + "/link.tif").c_str());
    EXPECT_EQ(copy(box.base() + "/link.tif", destination).exitCode, 0);
    expectOnly(tiffBytes("linked"));

    // A leftover of a run that ended between naming its copy and the rename
    // is removed by the next run.
    const std::string leftover =
        resources + "/" + privileged::protocol::replacementName("Volume1.tif");
    writeFile(leftover, "half a picture");
    writeFile(source, kNew);
    EXPECT_EQ(copy(source, destination).exitCode, 0);
    expectOnly(kNew);
}

TEST_F(ToolTest, RefusesWhatItInheritsAndMalformedRequests) {
    const std::string good = requestBytes(form, source, destination);
    auto tool = [&](const std::string& request, const ToolOptions& options = {}) {
        return runTool(TRAYSKIN_TEST_TOOL, request, options);
    };
    expectUntouched(tool(good, {.noArguments = true}), 10);
    for (const char* hostile : {"LD_PRELOAD=/tmp/evil.so", "GCONV_PATH=/tmp/evil",
                                "DBUS_SYSTEM_BUS_ADDRESS=unix:path=/tmp/fake"})
        expectUntouched(tool(good, {.environment = {hostile}}), 11);
    expectUntouched(tool(good, {.closeStdout = true}), 12);
    expectUntouched(tool(good, {.extraDescriptor = true}), 13);
    expectUntouched(tool(good, {.descriptorLimit = 3}), 15);

    expectUntouched(tool(good.substr(0, 100)), 20);
    expectUntouched(tool(good.substr(0, good.size() - 1)), 20);
    expectUntouched(tool(good + "x"), 21);
    expectUntouched(tool(good, {.stall = true}), 22);

    expectUntouched(tool(requestBytes(form, source, destination, 2)), 24);
    expectUntouched(tool(requestBytes(form, source, destination, 0x01000000)), 24);
    std::string noNul = good;
    std::fill(noNul.begin() + 36, noNul.begin() + 1060, 'a');
    expectUntouched(tool(noNul), 25);
    noNul = good;
    std::fill(noNul.begin() + 1060, noNul.end(), 'a');
    expectUntouched(tool(noNul), 26);
    expectUntouched(tool(requestBytes(form, "relative.tif", destination)), 27);
    expectUntouched(tool(requestBytes(form, source, "Volume1.tif")), 28);
    expectUntouched(
        tool(requestBytes(form, box.base() + "/My Set/../My Set/Volume 1.tif", destination)), 29);
    expectUntouched(tool(requestBytes(form, source, resources + "/./Volume1.tif")), 30);

    // Authorizations that are not the parent's own.
    AuthorizationExternalForm bad = form;
    bad.bytes[0] = 'X';
    expectUntouched(tool(requestBytes(bad, source, destination)), 40);
    AuthorizationExternalForm other = form;
    const std::int32_t init = 1;
    std::memcpy(other.bytes + 4, &init, 4);
    expectUntouched(tool(requestBytes(other, source, destination)), 41);
    AuthorizationExternalForm restarted = form;
    restarted.bytes[8] ^= 1; // same pid, another start time
    expectUntouched(tool(requestBytes(restarted, source, destination)), 41);
}

TEST_F(ToolTest, RefusesSourcesAndDestinationsItMustNotTouch) {
    const std::string at = box.base() + "/";
    ::symlink((at + "missing.tif").c_str(), (at + "dangling.tif").c_str());
    ::mkfifo((at + "fifo.tif").c_str(), 0600);
    writeFile(at + "big.tif", kNew);
    ASSERT_EQ(::truncate((at + "big.tif").c_str(), 16 * 1024 * 1024 + 1), 0);
    writeFile(at + "empty.tif", "");
    writeFile(at + "gif.tif", "GIF89a, not a TIFF");
    // The pseudo files' bytes are made when read, and their size says nothing.
    const std::pair<std::string, int> sources[] = {
        {at + "missing.tif", 50}, {at + "dangling.tif", 50}, {at + "fifo.tif", 51},
        {"/dev/zero", 51},        {box.base(), 51},          {at + "big.tif", 52},
        {"/proc/self/stat", 54},  {"/proc/self/maps", 54},   {"/proc/self/environ", 54},
        {at + "empty.tif", 56},   {at + "gif.tif", 56}};
    for (const auto& [from, code] : sources) {
        SCOPED_TRACE(from);
        expectUntouched(copy(from, destination), code);
    }

    expectUntouched(copy(source, resources + "/Volume1.TIF"), 61);
    expectUntouched(copy(source, resources + "/Missing.tif"), 62);
    writeFile(resources + "/../Other.tif", "other");
    ::link((resources + "/../Other.tif").c_str(), (resources + "/../Twice.tif").c_str());
    // A hard-linked or linked target is not a plain file of its own.
    const std::string twice = box.base() + "/Menu Extras/Volume.menu/Contents/Twice.tif";
    ToolRun linked = copy(source, twice);
    EXPECT_EQ(linked.exitCode, 63) << linked.err;
    EXPECT_EQ(readFile(twice), "other");
    ::symlink("Volume1.tif", (resources + "/Alias.tif").c_str());
    ToolRun alias = copy(source, resources + "/Alias.tif");
    EXPECT_EQ(alias.exitCode, 63) << alias.err;
    EXPECT_EQ(readFile(destination), "old");
    ::unlink((resources + "/Alias.tif").c_str());

    // A write that fails part-way: a size limit below the picture's. (What a
    // kill at each step leaves is ElevatedTest's.)
    writeFile(source, tiffBytes(std::string(200000, 'n')));
    expectUntouched(copy(source, destination, {.fileSizeLimit = 50000}), 71);
}
