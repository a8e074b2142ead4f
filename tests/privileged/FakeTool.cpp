// A stand-in for the privileged tool in tests of the runner. What it does is
// read from the name of the bundle it was copied into, once it has read its
// whole standard input, as the tool does:
//   <anything>-record.app  writes its standard input to request.bin beside it, exits 0
//   <anything>-exitN.app   exits with N
//   <anything>-signal.app  ends itself with SIGKILL
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 1)
        return 100;
    const std::string self = argv[0];
    // Like the tool, the whole request is read before anything else: a tool
    // that ended before the runner wrote would make the write fail instead.
    std::string request;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(0, buffer, sizeof buffer)) > 0)
        request.append(buffer, static_cast<std::size_t>(n));
    if (n < 0)
        return 102;
    if (const auto exit = self.rfind("-exit"); exit != std::string::npos)
        return std::atoi(self.c_str() + exit + 5);
    if (self.find("-signal.app/") != std::string::npos)
        ::kill(::getpid(), SIGKILL);
    const std::string out = self.substr(0, self.rfind('/')) + "/request.bin";
    FILE* file = std::fopen(out.c_str(), "wb");
    if (!file)
        return 101;
    std::fwrite(request.data(), 1, request.size(), file);
    return std::fclose(file) == 0 ? 0 : 103;
}
