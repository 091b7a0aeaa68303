#pragma once

#include <ostream>
#include <string_view>

namespace orv52::cli {

// One line at the bottom of a terminal that tells what a long run is doing and is rewritten in
// place. On a pipe or a file it writes nothing, so logs and scripts see only the results.
class StatusLine {
public:
    StatusLine(std::ostream& terminal, bool isTerminal);
    ~StatusLine();
    StatusLine(const StatusLine&) = delete;
    StatusLine& operator=(const StatusLine&) = delete;

    void show(std::string_view text);
    // Empties the line, so that a result can be printed in its place.
    void clear();
    bool onTerminal() const { return isTerminal_; }

private:
    std::ostream& terminal_;
    bool isTerminal_;
    bool shown_ = false;
};

} // namespace orv52::cli
