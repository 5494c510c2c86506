#include "app/fontwarmup.h"

#include <fontconfig/fontconfig.h>

CFontWarmUp::CFontWarmUp() : m_thread([] { FcInit(); }) {}
