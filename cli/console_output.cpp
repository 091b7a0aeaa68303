#include "console_output.h"

#include "cli_platform.h"

#include <iostream>
#include <string>
#include <string_view>

namespace orv52::cli {

namespace {

// Bytes that end before `text` does, without cutting a UTF-8 sequence.
std::size_t wholeCharacters(const std::string& text) {
    std::size_t end = text.size();
    std::size_t back = 0;
    while (back < 3 && back < end &&
           (static_cast<unsigned char>(text[end - 1 - back]) & 0xC0) == 0x80)
        ++back;
    if (back < end) {
        const auto lead = static_cast<unsigned char>(text[end - 1 - back]);
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        if (length > back + 1)
            end -= back + 1;
    }
    return end;
}

class ConsoleBuffer : public std::streambuf {
public:
    explicit ConsoleBuffer(platform::StandardStream console) : console_(console) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        pending_ += traits_type::to_char_type(c);
        if (c == '\n')
            writePending();
        return c;
    }

    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        if (pending_.find('\n') != std::string::npos)
            writePending();
        return count;
    }

    int sync() override {
        writePending();
        return 0;
    }

private:
    void writePending() {
        const std::size_t end = wholeCharacters(pending_);
        if (end == 0)
            return;
        platform::writeToConsole(console_, std::string_view(pending_).substr(0, end));
        pending_.erase(0, end);
    }

    platform::StandardStream console_;
    std::string pending_;
};

} // namespace

struct ConsoleOutput::Redirection {
    Redirection(std::ostream& stream, platform::StandardStream console)
        : stream_(stream), buffer_(console), previous_(stream.rdbuf(&buffer_)) {}
    ~Redirection() {
        stream_.flush();
        stream_.rdbuf(previous_);
    }
    Redirection(const Redirection&) = delete;
    Redirection& operator=(const Redirection&) = delete;

    std::ostream& stream_;
    ConsoleBuffer buffer_;
    std::streambuf* previous_;
};

ConsoleOutput::ConsoleOutput() {
    const auto redirect = [](std::ostream& stream, platform::StandardStream which) {
        if (!platform::isConsole(which))
            return std::unique_ptr<Redirection>{}; // a file, a pipe or a terminal: UTF-8 as written
        return std::make_unique<Redirection>(stream, which);
    };
    out_ = redirect(std::cout, platform::StandardStream::Output);
    err_ = redirect(std::cerr, platform::StandardStream::Error);
}

ConsoleOutput::~ConsoleOutput() = default;

} // namespace orv52::cli
