#pragma once
// A small JSON writer: objects and arrays written as they come, texts escaped.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qbxdata {

class Json {
public:
    explicit Json(std::ostream& out) : out_(out) {}

    void beginObject(std::string_view key = {});
    void endObject();
    void beginArray(std::string_view key = {});
    void endArray();

    void field(std::string_view key, std::string_view text);
    void field(std::string_view key, const char* text) { field(key, std::string_view(text)); }
    void field(std::string_view key, long long number);
    void value(long long number);

    // A JSON string literal of `text` (UTF-8; control characters and bad bytes escaped).
    static std::string quote(std::string_view text);

private:
    void separate(std::string_view key);
    std::ostream& out_;
    std::vector<bool> first_{true};
};

} // namespace qbxdata
