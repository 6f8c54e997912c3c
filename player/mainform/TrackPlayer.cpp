#include "player/mainform/TrackPlayer.h"

#include "player/binding/ZelkorCommands.h"

void TZelkorTrackPlayer::InputOpen(const QString& name) { m_commands.InputOpen(name); }
void TZelkorTrackPlayer::Play() { m_commands.Play(); }
void TZelkorTrackPlayer::Pause() { m_commands.Pause(); }
void TZelkorTrackPlayer::Stop() { m_commands.Stop(); }
void TZelkorTrackPlayer::InputSeek(uint32_t offset, uint32_t range) { m_commands.InputSeek(offset, range); }
