#pragma once

// Resource strings of the program.
namespace AppStrings {

inline constexpr char ApplicationTitle[] = "T. Aerin";
inline constexpr char MainCaption[] = "T.Aerin 0.2";

} // namespace AppStrings
