#pragma once
// Each scene has two blocks, named by one of these prefixes followed directly by the scene's
// identifier text (no namespace prefix, no separator).
inline constexpr char16_t kTextBlockPrefix[] = u"TCPlauditor";
inline constexpr char16_t kStyleBlockPrefix[] = u"TSPlauditor";
inline constexpr unsigned kBlockPrefixLength = 11;
