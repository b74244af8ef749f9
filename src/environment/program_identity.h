#pragma once
// How the program names itself to the user: the about box shows these, both logs print them.
namespace kestrav {

inline constexpr const char* kVersionLabel = "ver. 2.1 (2004-07-16)";
inline constexpr const char* kHomepage = "https://kestrav.example/";
inline constexpr const char* kMailAddress = "kestrav@example.org";

}  // namespace kestrav
