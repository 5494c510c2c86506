#include "records/systemerror.h"

#include <windows.h>

std::string SystemErrorText(int nError)
{
    char* pszText = nullptr;
    const DWORD nLength = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(nError), 0, reinterpret_cast<char*>(&pszText), 0, nullptr);
    std::string strText = nLength > 0 ? std::string(pszText, nLength) : std::string();
    LocalFree(pszText);
    // The system's texts end in a full stop and a line end; ours go inside sentences.
    while (!strText.empty() && (strText.back() == '\n' || strText.back() == '\r' ||
                                strText.back() == '.' || strText.back() == ' '))
        strText.pop_back();
    if (strText.empty())
        strText = "system error " + std::to_string(nError);
    return strText;
}
