#include "checked_output.h"

#include "messages/file_failure_text.h"
#include "receiver_exchanges.h"

#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

namespace orv52::cli {

void flushChecked(std::ostream& stream, std::string_view what) {
    errno = 0;
    if (stream.flush())
        return;
    // The stream keeps no reason; the system's, from the write that failed, is still in errno.
    const int reason = errno;
    std::string message = notWrittenText(what);
    if (reason != 0)
        message += std::string(": ") + std::strerror(reason);
    throw Failure{ExitCode::OutputFailed, message};
}

} // namespace orv52::cli
