#include "cli/argument_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace {

struct Decoded {
  char32_t codePoint;
  std::size_t length;
};

// The lead bytes of multi-byte UTF-8 sequences: the bits that tell the
// length, the sequence's length and the smallest code point it may carry.
struct LeadByte {
  std::uint8_t lengthMask;
  std::uint8_t lengthBits;
  std::size_t length;
  char32_t smallest;
};
constexpr std::array<LeadByte, 3> kLeadBytes{
    {{0xE0, 0xC0, 2, 0x80}, {0xF0, 0xE0, 3, 0x800}, {0xF8, 0xF0, 4, 0x10000}}};

// The character that starts text, or nothing when text does not start with
// valid UTF-8 (a stray continuation byte, an overlong form, a surrogate, a
// code point beyond U+10FFFF, a cut sequence).
std::optional<Decoded> decodeUtf8(std::string_view text) {
  const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
  const std::uint8_t lead = byte(0);
  if (lead < 0x80) return Decoded{lead, 1};
  const auto* const kind = std::find_if(kLeadBytes.begin(), kLeadBytes.end(), [&](const LeadByte& l) {
    return (lead & l.lengthMask) == l.lengthBits;
  });
  if (kind == kLeadBytes.end() || text.size() < kind->length) return std::nullopt;
  char32_t codePoint = lead & static_cast<std::uint8_t>(~kind->lengthMask);
  for (std::size_t at = 1; at < kind->length; ++at) {
    if ((byte(at) & 0xC0) != 0x80) return std::nullopt;
    codePoint = (codePoint << 6) | (byte(at) & 0x3Fu);
  }
  if (codePoint < kind->smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
    return std::nullopt;
  }
  return Decoded{codePoint, kind->length};
}

// Characters that a terminal acts on, that break the line, or that reorder the
// text around them.
bool isHidden(char32_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F || c == 0x2028 ||
         c == 0x2029 || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

void appendEscaped(std::string& shown, std::string_view bytes) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  for (const char c : bytes) {
    const auto value = static_cast<std::uint8_t>(c);
    shown += "\\x";
    shown += kHex[value >> 4];
    shown += kHex[value & 0x0F];
  }
}

}  // namespace

std::string shownArgument(std::string_view argument) {
  std::string shown;
  std::size_t length = 0;  // in characters as shown, an escape counting for its four
  while (!argument.empty()) {
    const auto decoded = decodeUtf8(argument);
    const std::size_t bytes = decoded ? decoded->length : 1;
    const std::string_view piece = argument.substr(0, bytes);
    const bool escaped = !decoded || isHidden(decoded->codePoint);
    const std::size_t pieceLength = escaped ? 4 * bytes : (piece == "\\" ? 2 : 1);
    if (length + pieceLength > kMaxShownLength) return shown + "…";
    if (escaped) {
      appendEscaped(shown, piece);
    } else {
      shown += piece == "\\" ? "\\\\" : piece;
    }
    length += pieceLength;
    argument.remove_prefix(bytes);
  }
  return shown;
}
