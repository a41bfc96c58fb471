#pragma once

#include <cstddef>

namespace tallow {
namespace texts {

// A text joined from pieces at compile time, so that a window's declaration
// can hold it.
template <std::size_t N>
struct Joined {
  wchar_t chars[N + 1] = {};
};

template <std::size_t N>
constexpr Joined<N - 1> Piece(const wchar_t (&text)[N]) {
  Joined<N - 1> out;
  for (std::size_t i = 0; i + 1 < N; ++i) out.chars[i] = text[i];
  return out;
}

template <std::size_t N>
constexpr Joined<N> Blanks() {
  Joined<N> out;
  for (std::size_t i = 0; i < N; ++i) out.chars[i] = L' ';
  return out;
}

template <std::size_t A, std::size_t B>
constexpr Joined<A + B> operator+(const Joined<A>& a, const Joined<B>& b) {
  Joined<A + B> out;
  for (std::size_t i = 0; i < A; ++i) out.chars[i] = a.chars[i];
  for (std::size_t i = 0; i < B; ++i) out.chars[A + i] = b.chars[i];
  return out;
}

// The long runs of blanks push each sentence onto a line of its own in the
// label's width.
inline constexpr auto kKeywordHint = Piece(L"P.S") + Blanks<78>() + Piece(L"You can type the following into the ") +
                                     Piece(L"\"reason idle\"") +
                                     Piece(L" box to see some extras(do it without quotes") + Piece(L"\"\") ") +
                                     Piece(L"\"Juniper\", \"Info\", \"MoRdAnT\", \"Screennames\"") + Blanks<36>() +
                                     Piece(L"Those are case sensitive, so use capitals in the right places!!!!");

}  // namespace texts

// The About window's two paragraphs.
inline constexpr const wchar_t* kAboutCreditText =
    L"Tallow Divod was coded by MoRdAnT of gLoAmInG iNc. It is dedicated to Juniper, who always waited in the room "
    L"while everyone else was away from the keyboard. Thanks to the whole team for testing it in every room we could "
    L"find.";
inline constexpr const wchar_t* kAboutKeywordHint = texts::kKeywordHint.chars;

// The dedication window's words over its photograph.
inline constexpr const wchar_t* kDedicationText = L"For Juniper, who never left the room.";

}  // namespace tallow
