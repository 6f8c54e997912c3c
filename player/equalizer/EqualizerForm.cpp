#include "player/equalizer/EqualizerForm.h"

#include "player/equalizer/EqualizerStrings.h"
#include "skin/controls/PlayerStyle.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace S = EqualizerStrings;

namespace {

QString Text(const char* text) { return QString::fromUtf8(text); }

QSlider* BandSlider(QWidget* parent) {
    auto* slider = new QSlider(Qt::Vertical, parent);
    slider->setRange(-kEqualizerRangeDb, kEqualizerRangeDb);
    slider->setPageStep(3);
    slider->setMinimumHeight(110);
    slider->setFixedWidth(14);
    return slider;
}

void ShowValue(QSlider* slider, int value) {
    const QSignalBlocker quiet(slider);
    slider->setValue(value);
    slider->setToolTip(Text(S::DecibelHint).arg(value));
}

// A band slider: Home centres it.
class TBandSlider : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Home) {
            static_cast<QSlider*>(watched)->setValue(0);
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            static_cast<QSlider*>(watched)->setValue(0);
            return true;
        }
        return false;
    }
};

} // namespace

TEqualizerForm::TEqualizerForm(QWidget* parent)
    : QWidget(parent, Qt::Tool), EnabledBox(new QCheckBox(Text(S::EnabledBox), this)),
      LinkedBox(new QCheckBox(Text(S::LinkedBox), this)), LeftButton(new QRadioButton(Text(S::LeftChannel), this)),
      RightButton(new QRadioButton(Text(S::RightChannel), this)), PreampSlider(BandSlider(this)),
      PresetBox(new QComboBox(this)), SaveButton(new QPushButton(Text(S::SaveButton), this)),
      DeleteButton(new QPushButton(Text(S::DeleteButton), this)) {
    setWindowTitle(Text(S::WindowCaption));
    PlayerStyle::Apply(this);

    auto* channels = new QButtonGroup(this);
    channels->addButton(LeftButton);
    channels->addButton(RightButton);
    LeftButton->setChecked(true);

    auto* top = new QHBoxLayout;
    top->addWidget(EnabledBox);
    top->addWidget(LinkedBox);
    top->addWidget(LeftButton);
    top->addWidget(RightButton);
    top->addStretch();
    top->addWidget(new QLabel(Text(S::PresetLabel), this));
    PresetBox->setMinimumContentsLength(12);
    top->addWidget(PresetBox);
    top->addWidget(SaveButton);
    top->addWidget(DeleteButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addLayout(top);
    layout->addWidget(BuildBands());
    setToolTip(Text(S::Hint));

    connect(EnabledBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_) model_.SetEnabled(on);
    });
    connect(LinkedBox, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_) model_.SetLinked(on);
    });
    connect(LeftButton, &QRadioButton::toggled, this, [this](bool on) {
        if (!showing_) ShowChannel(on ? TEqualizerChannel::Left : TEqualizerChannel::Right);
    });
    connect(PreampSlider, &QSlider::valueChanged, this, [this](int value) { model_.SetPreamp(value); });
    for (int band = 0; band < kEqualizerBands; ++band) {
        connect(BandSliders[band], &QSlider::valueChanged, this,
                [this, band](int value) { model_.SetBand(channel_, band, value); });
    }
    connect(PresetBox, &QComboBox::activated, this,
            [this](int index) { model_.ApplyPreset(PresetBox->itemText(index)); });
    connect(SaveButton, &QPushButton::clicked, this, [this] { SaveClick(); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteClick(); });

    AskPresetName = [this] {
        return QInputDialog::getText(this, Text(S::SaveTitle), Text(S::SavePrompt), QLineEdit::Normal,
                                     PresetBox->currentText());
    };
    model_.OnStateChanged = [this] {
        ShowState();
        if (OnApply) OnApply(model_.State());
    };
    model_.OnPresetsChanged = [this] {
        ShowPresets();
        if (OnPresetsChanged) OnPresetsChanged();
    };
    ShowPresets();
    ShowState();
}

QWidget* TEqualizerForm::BuildBands() {
    auto* bands = new QWidget(this);
    auto* grid = new QGridLayout(bands);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setHorizontalSpacing(2);
    auto* centre = new TBandSlider(this);
    const auto label = [bands](const QString& text) {
        auto* caption = new QLabel(text, bands);
        QFont small = caption->font();
        small.setPointSizeF(small.pointSizeF() * 0.75);
        caption->setFont(small);
        return caption;
    };
    grid->addWidget(PreampSlider, 0, 0, Qt::AlignHCenter);
    grid->addWidget(label(Text(S::Preamp)), 1, 0, 1, 2, Qt::AlignLeft);
    PreampSlider->installEventFilter(centre);
    grid->setColumnMinimumWidth(1, 10);
    for (int band = 0; band < kEqualizerBands; ++band) {
        BandSliders[band] = BandSlider(bands);
        BandSliders[band]->setAccessibleName(BandLabel(band));
        BandSliders[band]->installEventFilter(centre);
        grid->addWidget(BandSliders[band], 0, band + 2, Qt::AlignHCenter);
        if (band % 4 == 0) grid->addWidget(label(BandLabel(band)), 1, band + 2, 1, 4, Qt::AlignLeft);
    }
    return bands;
}

void TEqualizerForm::ShowChannel(TEqualizerChannel channel) {
    channel_ = channel;
    ShowState();
}

void TEqualizerForm::ShowState() {
    showing_ = true;
    const TEqualizerState& state = model_.State();
    EnabledBox->setChecked(state.Enabled);
    LinkedBox->setChecked(state.Linked);
    if (state.Linked) channel_ = TEqualizerChannel::Left;
    LeftButton->setEnabled(!state.Linked);
    RightButton->setEnabled(!state.Linked);
    (channel_ == TEqualizerChannel::Left ? LeftButton : RightButton)->setChecked(true);
    ShowValue(PreampSlider, state.PreampDb);
    for (int band = 0; band < kEqualizerBands; ++band) ShowValue(BandSliders[band], model_.Band(channel_, band));
    DeleteButton->setEnabled(!model_.IsBuiltIn(PresetBox->currentText()) && PresetBox->count() > 0);
    showing_ = false;
}

void TEqualizerForm::ShowPresets() {
    const QString current = PresetBox->currentText();
    const QSignalBlocker quiet(PresetBox);
    PresetBox->clear();
    PresetBox->addItems(model_.PresetNames());
    const int index = PresetBox->findText(current);
    PresetBox->setCurrentIndex(index >= 0 ? index : 0);
}

void TEqualizerForm::SaveClick() {
    const QString name = AskPresetName ? AskPresetName().trimmed() : QString();
    if (name.isEmpty()) return;
    if (!model_.SaveUserPreset(name)) {
        QMessageBox::information(this, Text(S::SaveTitle), Text(S::CannotSave).arg(name));
        return;
    }
    PresetBox->setCurrentIndex(PresetBox->findText(name));
    ShowState();
}

void TEqualizerForm::DeleteClick() {
    if (model_.DeleteUserPreset(PresetBox->currentText())) ShowState();
}
