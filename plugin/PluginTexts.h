#pragma once

// The plug-in's fixed texts. The class name and the plug-in name are the same text.
inline constexpr const wchar_t *kTextSourceClassName = L"Hollin答谢水友插件(Vanto)";
inline constexpr const wchar_t *kTextSourceDisplayName = L"HollinVanto感谢插件";
inline constexpr const wchar_t *kPluginDescription =
    L"Hollin答谢水友插件收到礼物后，在直播画面中显示答谢文字。";
