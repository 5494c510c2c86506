#include "tools/console.h"

#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

void UseBinaryStandardOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
}

// A console that cannot take escape sequences (before Windows 10) gets the
// progress as plain lines, as a file or a pipe does.
bool StandardErrorIsTerminal()
{
    const HANDLE hError = GetStdHandle(STD_ERROR_HANDLE);
    DWORD dwMode = 0;
    return GetConsoleMode(hError, &dwMode) &&
           SetConsoleMode(hError, dwMode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}
