#pragma once
// Errors the store reports to its callers, with a message a window can show as it is.

#include <string>
#include <utility>
#include <variant>

namespace qbx {

enum class StoreErrorCode {
    TooLong,   // the record would be longer than its fixed length
    NotGbk,    // a text holds characters GBK cannot represent
    Io,        // the file could not be opened, read or written
    NoRecordNo // no free record number is left in the range start-up reads
};

struct StoreError {
    StoreErrorCode code;
    std::string message; // UTF-8, Simplified Chinese, ready for a message box
};

// A value or an error. Small on purpose: the store needs nothing more. A Result dropped unread
// is a failure nobody hears of, so the compiler flags it.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : v_(std::move(value)) {}
    Result(StoreError error) : v_(std::move(error)) {}
    bool ok() const { return v_.index() == 0; }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<0>(v_); }
    T& value() { return std::get<0>(v_); }
    const StoreError& error() const { return std::get<1>(v_); }

private:
    std::variant<T, StoreError> v_;
};

struct Done {};
using Status = Result<Done>;
inline Status success()
{
    return Done{};
}

} // namespace qbx
