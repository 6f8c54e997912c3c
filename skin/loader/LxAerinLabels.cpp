#include "skin/loader/LxAerinLabels.h"

#include "skin/controls/LxLabel.h"
#include "skin/controls/LxScrollingLabel.h"

namespace {

// Labels on the face are sized by the skin, not by their captions.
template <typename Label> Label* NewFaceLabel(QWidget* skin) {
    auto* label = new Label(skin);
    label->SetAutoSize(false);
    label->setAutoFillBackground(false);
    return label;
}

} // namespace

TLxAerinLabelBase::TLxAerinLabelBase(TLxCustomLabel* control) : m_control(control), m_popupMenu(control) {
    m_control->setGeometry(m_bounds);
}

void TLxAerinLabelBase::SetLeft(int value) { SetBounds(QRect(value, Top(), Width(), Height())); }
void TLxAerinLabelBase::SetTop(int value) { SetBounds(QRect(Left(), value, Width(), Height())); }
void TLxAerinLabelBase::SetWidth(int value) { SetBounds(QRect(Left(), Top(), value, Height())); }
void TLxAerinLabelBase::SetHeight(int value) { SetBounds(QRect(Left(), Top(), Width(), value)); }

void TLxAerinLabelBase::SetBounds(const QRect& value) {
    m_bounds = value;
    m_control->setGeometry(QRect(value.topLeft(), value.size().expandedTo({0, 0})));
}

void TLxAerinLabelBase::SetCaption(const QString& value) {
    m_caption = value;
    ShowCaption(value);
}

void TLxAerinLabelBase::ShowCaption(const QString& caption) { m_control->SetCaption(caption); }

QFont TLxAerinLabelBase::Font() const { return m_control->font(); }
void TLxAerinLabelBase::SetFont(const QFont& value) { m_control->setFont(value); }
QColor TLxAerinLabelBase::FontColor() const { return m_control->FontColor(); }
void TLxAerinLabelBase::SetFontColor(const QColor& value) { m_control->SetFontColor(value); }
QColor TLxAerinLabelBase::Color() const { return m_control->Color(); }
void TLxAerinLabelBase::SetColor(const QColor& value) { m_control->SetColor(value); }
bool TLxAerinLabelBase::Transparent() const { return m_control->Transparent(); }
void TLxAerinLabelBase::SetTransparent(bool value) { m_control->SetTransparent(value); }
QString TLxAerinLabelBase::Hint() const { return m_hint; }

void TLxAerinLabelBase::SetHint(const QString& value) {
    m_hint = value;
    UpdateToolTip();
}

void TLxAerinLabelBase::SetShowHint(bool value) {
    m_showHint = value;
    UpdateToolTip();
}

void TLxAerinLabelBase::UpdateToolTip() { m_control->setToolTip(m_showHint ? m_hint : QString()); }

TNotifyEvent& TLxAerinLabelBase::OnClick() { return m_control->OnClick; }

TLxAerinLabel::TLxAerinLabel(QWidget* skin) : TLxAerinLabelBase(NewFaceLabel<TLxLabel>(skin)) {
    Label()->SetColorChange(false);
}

TLxLabel* TLxAerinLabel::Label() const { return static_cast<TLxLabel*>(Control()); }

TLxAerinScrollLabel::TLxAerinScrollLabel(QWidget* skin) : TLxAerinLabelBase(NewFaceLabel<TLxScrollingLabel>(skin)) {}

TLxScrollingLabel* TLxAerinScrollLabel::Label() const { return static_cast<TLxScrollingLabel*>(Control()); }

bool TLxAerinScrollLabel::Scrolling() const { return Label()->Scrolling(); }
void TLxAerinScrollLabel::SetScrolling(bool value) { Label()->SetScrolling(value); }
TDirection TLxAerinScrollLabel::ScrollDirectory() const { return Label()->ScrollDirection(); }
void TLxAerinScrollLabel::SetScrollDirectory(TDirection value) { Label()->SetScrollDirection(value); }
unsigned TLxAerinScrollLabel::ScrollInterval() const { return Label()->ScrollInterval(); }
void TLxAerinScrollLabel::SetScrollInterval(unsigned value) { Label()->SetScrollInterval(value); }
bool TLxAerinScrollLabel::NoGrap() const { return Label()->NoGrap(); }
void TLxAerinScrollLabel::SetNoGrap(bool value) { Label()->SetNoGrap(value); }

void TLxAerinScrollLabel::ShowCaption(const QString& caption) { Label()->SetText(caption); }

TLxAerinLabels::TLxAerinLabels(QWidget* skin)
    : m_status(std::make_unique<TLxAerinLabel>(skin)), m_currentTime(std::make_unique<TLxAerinLabel>(skin)),
      m_layer(std::make_unique<TLxAerinLabel>(skin)), m_bitrate(std::make_unique<TLxAerinLabel>(skin)),
      m_frequency(std::make_unique<TLxAerinLabel>(skin)), m_version(std::make_unique<TLxAerinLabel>(skin)),
      m_songName(std::make_unique<TLxAerinScrollLabel>(skin)), m_totalTime(std::make_unique<TLxAerinLabel>(skin)),
      m_totalInfo(std::make_unique<TLxAerinLabel>(skin)) {}

TLxAerinLabelBase& TLxAerinLabels::operator[](TSkinLabel label) {
    switch (label) {
    case TSkinLabel::Version: return *m_version;
    case TSkinLabel::Frequency: return *m_frequency;
    case TSkinLabel::Bitrate: return *m_bitrate;
    case TSkinLabel::Layer: return *m_layer;
    case TSkinLabel::Status: return *m_status;
    case TSkinLabel::CurrentTime: return *m_currentTime;
    case TSkinLabel::TotalTime: return *m_totalTime;
    case TSkinLabel::TotalInfo: return *m_totalInfo;
    case TSkinLabel::SongName: break;
    }
    return *m_songName;
}
