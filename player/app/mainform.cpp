#include "player/app/mainform.h"

#include "player/app/AppStrings.h"
#include "player/binding/LxZelkorPlayer.h"
#include "player/mixer/LxMultimedia.h"

#include <QFileInfo>
#include <QLabel>
#include <QVBoxLayout>

Tmainform::Tmainform(QWidget* parent)
    : QWidget(parent)
    , LxZelkorPlayer1(new TLxZelkorPlayer(this))
    , LxSoundControl1(new TLxSoundControl(this))
    , m_status(new QLabel(this))
{
    setWindowTitle(AppStrings::MainCaption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    m_status->setMinimumWidth(320);

    LxZelkorPlayer1->OnNotifyInputName = [this](QObject*, const QString& name) {
        m_track = QFileInfo(name).fileName();
        ShowStatus();
    };
    LxZelkorPlayer1->OnNotifyInputTimecode = [this](QObject*, uint8_t hours, uint8_t minutes, uint8_t seconds,
                                                    uint8_t) {
        m_time = QString::asprintf("%d:%02d:%02d", hours, minutes, seconds);
        ShowStatus();
    };
    LxZelkorPlayer1->OnNotifyNack = [this](QObject*, uint8_t, int16_t code) {
        m_problem = LxZelkorPlayer1->ErrorString(code);
        ShowStatus();
    };
    ShowStatus();
}

void Tmainform::PlayFile(const QString& path)
{
    m_problem.clear();
    LxZelkorPlayer1->InputOpen(path);
    LxZelkorPlayer1->Play();
}

void Tmainform::ShowStatus()
{
    QStringList lines{m_track, m_time, m_problem};
    lines.removeAll(QString());
    m_status->setText(lines.join('\n'));
}
