// Inside the probe library: a call to a C name of the library from the library itself.
// Bound within the library, it reaches the blocking variant even when the program that
// loads the library exports the same name.
#include "zudedize/zudedize.h"

extern "C" ZUDEDIZE_EXPORT int32_t ZudedizeProbeClearPortByName(void)
{
    return ClearPort();
}
