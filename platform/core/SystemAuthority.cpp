// The program's authority: polkit, through the pkcheck found when the program
// was configured.
#include "platform/core/Authorization.h"

#ifndef TRAYSKIN_PKCHECK
#define TRAYSKIN_PKCHECK "/usr/bin/pkcheck"
#endif

namespace platform::auth {

Authority& processAuthority() {
    static PkcheckAuthority authority(TRAYSKIN_PKCHECK, /*asRoot=*/false, /*viaSystemBus=*/true);
    return authority;
}

} // namespace platform::auth
