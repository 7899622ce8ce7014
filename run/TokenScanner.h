#pragma once
// TokenScanner: cuts a DataText into tokens, one per value.
//
// Both passes of a plot run scan the same text with it and differ only in where they start: the
// range pass at position 1, the raster pass at position 2. The scanner is a character walk with
// one look-behind character, not a split on separators:
//   - a token runs from its first character up to and including the first space after it, so
//     "12 " arrives with its space, and the character after that space is skipped;
//   - a space where a token would start gives an empty token and consumes only that space;
//   - the character at the last position, L, is never taken into a token;
//   - line feeds, carriage returns, tabs and letters are ordinary token characters.
// Positions are 1-based and 64-bit. Every character taken into a token is reported with the
// position just after it, so a pass can keep the windows live and the progress bar moving.

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace varneska {

class TokenScanner {
public:
    // startPosition is 1-based and at least 1.
    TokenScanner(std::string_view text, std::uint64_t startPosition) noexcept;

    // Cuts the next token as a view into the text; false once the position is past the text.
    // Inline: it runs once per token of a pass, and the passes are the program's hot loop.
    inline bool Next(std::string_view& token) noexcept;

    // Position of the current token's first character. The characters of the token were taken
    // at TokenStart() .. TokenStart() + size - 1, so they are reported as TokenStart() + 1 up to
    // TokenStart() + size.
    std::uint64_t TokenStart() const noexcept { return m_tokenStart; }

    // Position of the next character to look at; just past the text once the scan is over.
    std::uint64_t Position() const noexcept { return m_position; }

private:
    // The first space in [from, stop), or stop; eight characters at a time.
    static inline const char* FindSpace(const char* from, const char* stop) noexcept;

    const char* m_text;
    std::uint64_t m_length;
    std::uint64_t m_position;
    std::uint64_t m_tokenStart = 0;
};

inline const char* TokenScanner::FindSpace(const char* from, const char* stop) noexcept {
    constexpr std::uint64_t kOnes = 0x0101010101010101u;
    constexpr std::uint64_t kSpaces = 0x2020202020202020u;
    constexpr std::uint64_t kHighBits = 0x8080808080808080u;
    while (stop - from >= 8) {
        std::uint64_t word;
        std::memcpy(&word, from, sizeof word);
        // Bytes that equal a space become zero; the lowest flagged byte is the first zero byte
        // (little-endian), which is all the scan needs.
        const std::uint64_t x = word ^ kSpaces;
        const std::uint64_t zeros = (x - kOnes) & ~x & kHighBits;
        if constexpr (std::endian::native == std::endian::little) {
            if (zeros != 0) {
                return from + (std::countr_zero(zeros) >> 3);
            }
        } else {
            if (zeros != 0) {
                break;  // leave the exact place to the byte loop
            }
        }
        from += 8;
    }
    while (from < stop && *from != ' ') {
        ++from;
    }
    return from;
}

inline bool TokenScanner::Next(std::string_view& token) noexcept {
    if (m_position > m_length) {
        return false;
    }
    const std::uint64_t start = m_position;
    m_tokenStart = start;
    const char* const first = m_text + (start - 1);
    // The walk only goes on while the position is below L, so a token starting at L, or at a
    // space, takes no character at all.
    if (start == m_length || *first == ' ') {
        token = {};
        m_position = start + 1;
        return true;
    }
    // The first character is not a space, so the walk appends it and goes on until it has
    // appended a space or reached position L, which it never appends.
    const char* const stop = m_text + (m_length - 1);
    const char* end = FindSpace(first + 1, stop);
    if (end < stop) {
        ++end;  // the closing space belongs to the token
    }
    const auto size = static_cast<std::uint64_t>(end - first);
    token = std::string_view(first, static_cast<std::size_t>(size));
    // One more step past the token: this is the character that the walk skips after a space.
    m_position = start + size + 1;
    return true;
}

// Scans text from startPosition: onCharacter(position) for every character taken, in order, then
// onToken(token) once the token is complete. Neither is called for an empty text.
template <class OnCharacter, class OnToken>
void Scan(std::string_view text, std::uint64_t startPosition, OnCharacter&& onCharacter,
          OnToken&& onToken) {
    TokenScanner scanner(text, startPosition);
    std::string_view token;
    while (scanner.Next(token)) {
        const std::uint64_t last = scanner.TokenStart() + token.size();
        for (std::uint64_t position = scanner.TokenStart() + 1; position <= last; ++position) {
            onCharacter(position);
        }
        onToken(token);
    }
}

}  // namespace varneska
