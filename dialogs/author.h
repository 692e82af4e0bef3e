#pragma once

namespace kerumo {

// Who made Kerumo and where to reach them: shown and opened by the about
// dialog, kept here only.
inline constexpr const char* AuthorName = "ケルモ開発チーム";
inline constexpr const char* AuthorWebLink = "https://kerumo.example.org/";
inline constexpr const char* AuthorMailLink = "mailto:kerumo@example.org";

}  // namespace kerumo
