#include "status_line.h"

namespace orv52::cli {

namespace {

// Back to the start of the line, then erase to its end.
constexpr std::string_view kRewind = "\r\x1b[K";

} // namespace

StatusLine::StatusLine(std::ostream& terminal, bool isTerminal)
    : terminal_(terminal), isTerminal_(isTerminal) {}

StatusLine::~StatusLine() {
    clear();
}

void StatusLine::show(std::string_view text) {
    if (!isTerminal_)
        return;
    terminal_ << kRewind << text << std::flush;
    shown_ = true;
}

void StatusLine::clear() {
    if (!shown_)
        return;
    terminal_ << kRewind << std::flush;
    shown_ = false;
}

} // namespace orv52::cli
