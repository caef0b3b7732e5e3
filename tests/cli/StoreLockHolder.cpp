// Test helper: takes the lock of the store named on its command line, says so, and holds it until killed.
#include <cstdio>

#include <windows.h>

#include "StoreLock.h"

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const StoreLock lock(argv[1]);
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(INFINITE);
}
