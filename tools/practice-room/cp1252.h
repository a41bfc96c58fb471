// Windows-1252 <-> UTF-16, done here instead of through the system code
// page so the room behaves the same whatever locale Windows (or Wine) runs in.
// Its own table rather than the idler's (bridge/ansi_text): the room stands in
// for the chat client, so a fault in the idler's table must not be matched by
// the same fault here.
#pragma once

#include <string>
#include <string_view>

namespace practice {

// One UTF-16 unit per byte. The five bytes 1252 leaves undefined map to
// U+0081, U+008D, U+008F, U+0090, U+009D, as Windows itself does.
std::wstring decode_1252(std::string_view bytes);

// Inverse of decode_1252; anything outside 1252 becomes '?'.
std::string encode_1252(std::wstring_view text);

}  // namespace practice
