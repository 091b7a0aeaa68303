#pragma once

#include <stdexcept>
#include <string>

namespace orv52 {

// An error that ends the start of an exchange. Its number decides what the operator is told:
// the port errors have numbers of their own, and an overflow of a field's value has another.
class NumberedError : public std::runtime_error {
public:
    NumberedError(int number, const std::string& what)
        : std::runtime_error(what), number_(number) {}
    int number() const noexcept { return number_; }

private:
    int number_;
};

namespace error_number {
inline constexpr int Overflow = 6;
inline constexpr int InvalidPortNumber = 8002;
inline constexpr int PortAlreadyOpen = 8005;
// Port failures that are neither an absent nor a busy device; the operator is told nothing.
inline constexpr int PortOpenFailed = 8010;
inline constexpr int PortWriteFailed = 8011;
// The device exists but the user may not open it.
inline constexpr int PortAccessDenied = 8012;
} // namespace error_number

} // namespace orv52
