#include "app/os_flag.h"

int SetupNtPathsFlag(DWORD version) {
    const DWORD minor = (version >> 8) & 0xFF;
    const DWORD top = (version >> 24) & 0xFF;
    return (minor == 10 && top != 5) ? 0 : 1;
}
