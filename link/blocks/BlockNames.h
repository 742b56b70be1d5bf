#pragma once
// Each scene has two blocks, named by one of these prefixes followed directly by the scene's
// identifier text (no namespace prefix, no separator).
inline constexpr char16_t kTextBlockPrefix[] = u"TCPlauditor";
inline constexpr char16_t kStyleBlockPrefix[] = u"TSPlauditor";
// Counted from the names themselves, so a renamed prefix cannot leave a stale length behind.
inline constexpr unsigned kBlockPrefixLength = sizeof kTextBlockPrefix / sizeof kTextBlockPrefix[0] - 1;
static_assert(sizeof kStyleBlockPrefix == sizeof kTextBlockPrefix,
              "both block names share one prefix length");
