// A stand-in for the privileged tool that reads its whole request, as the
// tool does, and exits with the status its bundle's name gives:
// <anything>-exit<N>.app/Contents/Resources/Trayskin exits with N.
#include <cstdlib>
#include <string>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 1)
        return 100;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(0, buffer, sizeof buffer)) > 0) {
    }
    const std::string self = argv[0];
    const auto at = self.rfind("-exit");
    return n < 0 || at == std::string::npos ? 101 : std::atoi(self.c_str() + at + 5);
}
