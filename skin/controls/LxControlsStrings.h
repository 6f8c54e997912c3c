#pragma once

// Resource names of the skinned controls.
namespace LxControlsStrings {

// Default slider pictures: the thumb pair (52 x 8) and the track (191 x 11).
inline constexpr char kSliderThumbResource[] = ":/skin/controls/THUMB.bmp";
inline constexpr char kSliderRulerResource[] = ":/skin/controls/RULER.bmp";

} // namespace LxControlsStrings
