#pragma once
// The run-time errors of the window's controls, raised as exceptions that carry
// the same numbers the original reported, so callers that must survive them
// (the reply tick, the preset dialogs) can tell them apart.

#include <stdexcept>
#include <string>

namespace calvetta {

inline constexpr int kErrOverflow = 6;                // a number left its integer range
inline constexpr int kErrTypeMismatch = 13;           // a stored property of the wrong kind
inline constexpr int kErrInvalidPropertyValue = 380;  // a property refused the value
inline constexpr int kErrInvalidPicture = 481;        // stored picture data that is no picture

class ControlError : public std::runtime_error {
  public:
    ControlError(int number, const std::string& what) : std::runtime_error(what), number_(number) {}

    int number() const { return number_; }

  private:
    int number_;
};

}  // namespace calvetta
