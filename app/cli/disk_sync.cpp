#include "disk_sync.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace orv52::cli {

bool syncToDisk(int descriptor) {
#ifdef _WIN32
    return _commit(descriptor) == 0;
#else
    return fsync(descriptor) == 0;
#endif
}

} // namespace orv52::cli
