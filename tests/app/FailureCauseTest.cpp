#include "app/FailureCause.h"
#include "privileged/Protocol.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

std::string sourceText(const std::string& file) {
    std::ifstream in(std::string(TRAYSKIN_SOURCE_DIR) + "/" + file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every code the tool can end with: the names it refuses or returns with,
// valued by the enumeration in the protocol header.
std::map<std::string, int> codesTheToolUses() {
    std::map<std::string, int> values;
    const std::string header = sourceText("privileged/Protocol.h");
    const std::regex enumerator(R"((k[A-Za-z]+) = (\d+),)");
    for (std::sregex_iterator it(header.begin(), header.end(), enumerator), end; it != end; ++it)
        values[(*it)[1]] = std::stoi((*it)[2]);
    std::map<std::string, int> used;
    const std::string tool =
        sourceText("privileged/tool/ToolMain.cpp") + sourceText("privileged/tool/Replacement.cpp");
    const std::regex exit(R"((?:refuse\(|static_cast<int>\()\s*(k[A-Za-z]+))");
    for (std::sregex_iterator it(tool.begin(), tool.end(), exit), end; it != end; ++it) {
        const std::string name = (*it)[1];
        EXPECT_TRUE(values.count(name)) << name << " is not an exit status of Protocol.h";
        if (values.count(name) && values[name] != 0)
            used[name] = values[name];
    }
    return used;
}

} // namespace

// Shown without a table (the C locale): the keys themselves. The tables'
// entries are checked against their keys by the translation_tables test.
TEST(FailureCause, EveryExitStatusOfTheToolHasItsOwnSentence) {
    const auto used = codesTheToolUses();
    ASSERT_GT(used.size(), 40u); // the scan found the tool's refusals
    std::set<std::string> keys;
    std::set<int> codes;
    for (const auto& entry : privileged::protocol::kToolExitSentences) {
        const int code = static_cast<int>(entry.code);
        SCOPED_TRACE(code);
        EXPECT_TRUE(code > 1 && code < 256);
        EXPECT_TRUE(codes.insert(code).second) << "twice in the table";
        EXPECT_TRUE(keys.insert(entry.key).second) << "sentence shared: " << entry.key;
        EXPECT_TRUE(QString::fromUtf8(entry.key).endsWith(QLatin1Char('.')));
        EXPECT_EQ(failureCause(code), QString::fromUtf8(entry.key));
    }
    for (const auto& [name, code] : used)
        EXPECT_TRUE(codes.count(code)) << name << " (" << code << ") has no sentence";
    // The refusal of a parent that is not wholly the user's.
    EXPECT_TRUE(codes.count(static_cast<int>(privileged::protocol::ToolExit::kParentNotUsers)));
}

TEST(FailureCause, TheRunnersOwnStatusesAndUnknownOnes) {
    // Each of the runner's own statuses has a sentence of its own; a status
    // nobody names is said with its number.
    std::set<std::string> keys;
    for (const OSStatus status : {-1, 1, errAuthorizationDenied, errAuthorizationCanceled,
                                  errAuthorizationInteractionNotAllowed, errAuthorizationInternal,
                                  errAuthorizationInvalidRef, 99, -60099}) {
        SCOPED_TRACE(status);
        const char* key = failureCauseKey(status);
        const bool named = keys.insert(key).second;
        const bool unknown = status == 99 || status == -60099;
        EXPECT_TRUE(named || unknown) << key;
        EXPECT_EQ(failureCause(status),
                  unknown ? QString::fromUtf8(key).arg(status) : QString::fromUtf8(key));
    }
}
