#include "platform/save/filesizelimit.h"

#include <csignal>

void failWritesPastFileSizeLimit()
{
    std::signal(SIGXFSZ, SIG_IGN);
}
