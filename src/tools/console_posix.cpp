#include "tools/console.h"

#include <unistd.h>

// POSIX streams have no text mode: they carry bytes as they are already.
void UseBinaryStandardOutput() {}

bool StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}
