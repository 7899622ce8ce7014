#include "run/TokenScanner.h"

namespace varneska {

TokenScanner::TokenScanner(std::string_view text, std::uint64_t startPosition) noexcept
    : m_text(text.data()), m_length(text.size()), m_position(startPosition) {}

}  // namespace varneska
