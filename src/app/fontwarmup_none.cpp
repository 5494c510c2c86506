#include "app/fontwarmup.h"

// Where fonts are not configured through fontconfig there is nothing to read ahead.
CFontWarmUp::CFontWarmUp() = default;
