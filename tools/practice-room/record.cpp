#include "record.h"

namespace practice {

std::string escape_line(std::string_view bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char ch : bytes) {
        unsigned char b = static_cast<unsigned char>(ch);
        if (b >= 0x20 && b <= 0x7E && b != '\\') {
            out += ch;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0x0F];
        }
    }
    return out;
}

std::int64_t counter_to_ms(std::int64_t counter, std::int64_t frequency) {
    if (frequency <= 0) return 0;
    return (counter / frequency) * 1000 + (counter % frequency) * 1000 / frequency;
}

std::string format_record(std::int64_t ms, std::string_view room, std::string_view field) {
    std::string out = std::to_string(ms);
    out += '\t';
    out += room;
    out += '\t';
    out += field;
    out += '\n';
    return out;
}

} // namespace practice
