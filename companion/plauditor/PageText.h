#pragma once
// The page's words in the streamer's language: Chinese unless the browser prefers English.
// Every string of the page comes from one table, so both languages always hold the same keys.
#include <string>
#include <string_view>

enum class PageLanguage { Chinese, English };

// From an Accept-Language header: English when an "en" range outranks every "zh" range
// (by q, then by order); Chinese otherwise, also for an empty or unreadable header.
PageLanguage PickPageLanguage(std::string_view acceptLanguage);

// page with "{{key}}" replaced by the table's text in language (HTML-escaped), "{{lang}}" by
// the language's tag and "{{strings}}" by the whole table as a JSON object for the script.
std::string LocalisePage(std::string_view page, PageLanguage language);
