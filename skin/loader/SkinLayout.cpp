#include "skin/loader/SkinLayout.h"

#include "skin/loader/SkinStrings.h"

#include <algorithm>

namespace {

using namespace skin_strings;

// Coordinates far outside any face are pulled in, so that sums of them stay
// within int and no control becomes absurdly large.
constexpr int kMaxCoordinate = 32767;

class PrefixReader {
public:
    PrefixReader(const TSkinIni& ini, const char* prefix) : m_ini(ini), m_prefix(QString::fromLatin1(prefix)) {}

    std::int32_t Integer(const char* suffix, std::int32_t fallback) const {
        return m_ini.ReadInteger(kSection, m_prefix + suffix, fallback);
    }
    bool Bool(const char* suffix) const { return m_ini.ReadBool(kSection, m_prefix + suffix, false); }
    QString String(const char* suffix, const QString& fallback) const {
        return m_ini.ReadString(kSection, m_prefix + suffix, fallback);
    }
    int Coordinate(const char* suffix) const { return std::clamp(Integer(suffix, 0), -kMaxCoordinate, kMaxCoordinate); }
    QRect Bounds() const { return QRect(Coordinate(kLeft), Coordinate(kTop), Coordinate(kWidth), Coordinate(kHeight)); }

private:
    const TSkinIni& m_ini;
    QString m_prefix;
};

TSkinSliderLayout ReadSlider(const TSkinIni& ini, const char* prefix) {
    const PrefixReader read(ini, prefix);
    return {read.Bool(kVertical), read.Bounds()};
}

TSkinLabelLayout ReadLabel(const TSkinIni& ini, const char* prefix) {
    const PrefixReader read(ini, prefix);
    TSkinLabelLayout label;
    label.Transparent = read.Bool(kTransparent);
    label.Bounds = read.Bounds();
    label.Font = read.String(kFont, QString::fromLatin1(kDefaultFont));
    label.FontSize = read.Integer(kFontSize, kDefaultFontSize);
    label.Color = std::uint32_t(read.Integer(kColor, 0));
    label.BkColor = std::uint32_t(read.Integer(kBkColor, 0));
    return label;
}

} // namespace

TSkinLayout ReadSkinLayout(const TSkinIni& ini) {
    TSkinLayout layout;
    for (const auto& button : kSkinButtons)
        layout.Buttons[std::size_t(button.Control)] = PrefixReader(ini, button.Prefix).Bounds();
    layout.Position = ReadSlider(ini, SkinControl(TSkinSlider::Position).Prefix);
    layout.Volume = ReadSlider(ini, SkinControl(TSkinSlider::Volume).Prefix);
    for (const auto& label : kSkinLabels) layout.Labels[std::size_t(label.Control)] = ReadLabel(ini, label.Prefix);
    return layout;
}
