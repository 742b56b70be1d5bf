#pragma once
// The texts the torn-block stress writes. Each sequence number carries one known text, so a
// reader can tell a whole block from a mix of two: every text has the same two lines'
// worth of count field, but each its own letters and lengths, so a mix keeps the count and
// still shows wrong letters, a wrong length, or both.
#include <cstdint>
#include <string>

inline constexpr std::int32_t kStressFirstSequence = 100000;
inline constexpr int kStressVariants = 4;

// The two lines a block with this sequence number shows, joined as the reader joins them.
inline std::u16string StressLines(std::int32_t sequence)
{
    const int variant = static_cast<int>(sequence % kStressVariants);
    return std::u16string(static_cast<std::size_t>(30 + 23 * variant), static_cast<char16_t>(u'A' + variant)) +
           u"\r\n" +
           std::u16string(static_cast<std::size_t>(80 - 19 * variant), static_cast<char16_t>(u'a' + variant));
}

inline std::u16string StressBlock(std::int32_t sequence)
{
    const std::string number = std::to_string(sequence);
    return std::u16string(number.begin(), number.end()) + u"|0|2|" + StressLines(sequence);
}
