#include "platform/core/Log.h"

#include <cstdio>
#include <ctime>
#include <sys/time.h>
#include <unistd.h>

namespace platform {

void logLine(std::string_view message) {
    timeval now{};
    ::gettimeofday(&now, nullptr);
    tm local{};
    ::localtime_r(&now.tv_sec, &local);
    char stamp[64];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    std::fprintf(stderr, "%s.%03ld Trayskin[%d] ", stamp, static_cast<long>(now.tv_usec / 1000),
                 static_cast<int>(::getpid()));
    std::fwrite(message.data(), 1, message.size(), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

} // namespace platform
