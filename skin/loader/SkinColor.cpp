#include "skin/loader/SkinColor.h"

#include <array>
#include <utility>

namespace {

constexpr std::uint32_t kSystemColorFlag = 0x80000000u;

// Palette roles standing in for the classic system colour indices 0 to 30.
constexpr std::array<std::pair<QPalette::ColorGroup, QPalette::ColorRole>, 31> kSystemRoles = {{
    {QPalette::Active, QPalette::Button},            // scroll bar
    {QPalette::Active, QPalette::Dark},              // desktop
    {QPalette::Active, QPalette::Highlight},         // active caption
    {QPalette::Inactive, QPalette::Highlight},       // inactive caption
    {QPalette::Active, QPalette::Window},            // menu
    {QPalette::Active, QPalette::Base},              // window
    {QPalette::Active, QPalette::Shadow},            // window frame
    {QPalette::Active, QPalette::WindowText},        // menu text
    {QPalette::Active, QPalette::Text},              // window text
    {QPalette::Active, QPalette::HighlightedText},   // caption text
    {QPalette::Active, QPalette::Window},            // active border
    {QPalette::Inactive, QPalette::Window},          // inactive border
    {QPalette::Active, QPalette::Mid},               // application workspace
    {QPalette::Active, QPalette::Highlight},         // highlight
    {QPalette::Active, QPalette::HighlightedText},   // highlighted text
    {QPalette::Active, QPalette::Button},            // button face
    {QPalette::Active, QPalette::Dark},              // button shadow
    {QPalette::Disabled, QPalette::Text},            // grey text
    {QPalette::Active, QPalette::ButtonText},        // button text
    {QPalette::Inactive, QPalette::HighlightedText}, // inactive caption text
    {QPalette::Active, QPalette::Light},             // button highlight
    {QPalette::Active, QPalette::Shadow},            // 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},          // 3-D light
    {QPalette::Active, QPalette::ToolTipText},       // info text
    {QPalette::Active, QPalette::ToolTipBase},       // info background
    {QPalette::Active, QPalette::Window},            // (unused index)
    {QPalette::Active, QPalette::Link},              // hot light
    {QPalette::Active, QPalette::Highlight},         // active caption gradient
    {QPalette::Inactive, QPalette::Highlight},       // inactive caption gradient
    {QPalette::Active, QPalette::Highlight},         // menu highlight
    {QPalette::Active, QPalette::Window},            // menu bar
}};

} // namespace

QColor SkinColor(std::uint32_t value, const QPalette& system) {
    if (value & kSystemColorFlag) {
        const std::uint32_t index = value & 0xFF;
        if (index >= kSystemRoles.size()) return system.color(QPalette::Active, QPalette::Window);
        const auto [group, role] = kSystemRoles[index];
        return system.color(group, role);
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}
