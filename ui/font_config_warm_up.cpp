#include "font_config_warm_up.h"

#ifdef ORV52_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace orv52 {

FontConfigWarmUp::FontConfigWarmUp() {
#ifdef ORV52_FONTCONFIG
#ifdef __GLIBC__
    // The helper would get a malloc arena of its own, whose pages outlive it; one arena is plenty
    // for a program that does all its work on one thread.
    mallopt(M_ARENA_MAX, 1);
#endif
    // Qt asks fontconfig for the same configuration later and gets this one.
    reader_ = std::thread([] { FcInit(); });
#endif
}

FontConfigWarmUp::~FontConfigWarmUp() {
    finish();
}

void FontConfigWarmUp::finish() {
    if (reader_.joinable())
        reader_.join();
}

} // namespace orv52
