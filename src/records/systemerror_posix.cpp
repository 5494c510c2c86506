#include "records/systemerror.h"

#include <system_error>

std::string SystemErrorText(int nError)
{
    return std::generic_category().message(nError);
}
