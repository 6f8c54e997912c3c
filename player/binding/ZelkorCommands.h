#pragma once

#include "player/binding/EngineExports.h"

#include <QString>
#include <cstdint>

// One method per engine command: each sends exactly one control message on the
// player's channel and returns the send function's result (0 or a negative
// engine error code). Results of the commands themselves arrive as notifications.
class TZelkorCommands {
public:
    // exports must be complete.
    TZelkorCommands(const TEngineExports& exports, ZK_ControlChannel* channel);

    int32_t Exit();
    int32_t Ping(uint32_t Tag);
    int32_t Play();
    int32_t Pause();
    int32_t Stop();

    int32_t InputSeek(uint32_t Offset, uint32_t Range);
    int32_t InputOpen(const QString& Name);
    int32_t InputClose();
    int32_t InputSendMessage(uint16_t Type, const void* Data, uint32_t Size);
    int32_t InputAddFilter(const QString& Name, int32_t ID);
    int32_t InputRemoveFilter(const QString& Name, int32_t ID);
    int32_t InputFilterList();
    int32_t InputModuleRegister(const QString& Name);
    int32_t InputModuleQuery(int32_t ID);
    int32_t InputModulesList();

    int32_t OutputOpen(const QString& Name);
    int32_t OutputClose();
    int32_t OutputSendMessage(uint16_t Type, const void* Data, uint32_t Size);
    int32_t OutputMute();
    int32_t OutputUnmute();
    int32_t OutputReset();
    int32_t OutputDrain();
    int32_t OutputAddFilter(const QString& Name, int32_t Where);
    int32_t OutputRemoveFilter(const QString& Name, int32_t Where);
    int32_t OutputFilterList();
    int32_t OutputModuleRegister(const QString& Name);
    int32_t OutputModuleQuery(int32_t ID);
    int32_t OutputModulesList();

    int32_t SetPlayerMode(int32_t Mode);
    int32_t GetPlayerMode();
    int32_t SetPlayerEnvironmentInteger(const QString& Name, int32_t Value);
    int32_t GetPlayerEnvironmentInteger(const QString& Name);
    int32_t SetPlayerEnvironmentString(const QString& Name, const QString& Value);
    int32_t GetPlayerEnvironmentString(const QString& Name);
    int32_t UnsetPlayerEnvironment(const QString& Name);

    int32_t SetInputName(const QString& Name);
    int32_t GetInputName();
    int32_t SetInputModule(int32_t ID);
    int32_t GetInputModule();
    int32_t SetInputPositionRange(uint32_t Range);
    int32_t GetInputPositionRange();
    int32_t SetInputTimecodeGranularity(uint32_t Granularity);
    int32_t GetInputTimecodeGranularity();

    int32_t SetOutputName(const QString& Name);
    int32_t GetOutputName();
    int32_t SetOutputModule(int32_t ID);
    int32_t GetOutputModule();
    int32_t SetOutputVolume(uint8_t Balance, uint8_t PcmLevel, uint8_t MasterLevel);
    int32_t GetOutputVolume();
    int32_t SetOutputChannels(uint8_t Channels);
    int32_t GetOutputChannels();
    int32_t SetOutputPorts(uint32_t Ports);
    int32_t GetOutputPorts();

    // Equalizer may be null.
    int32_t SetCodecEqualizer(const ZK_EqualizerInfo* Equalizer);
    int32_t GetCodecEqualizer();
    int32_t SetNotificationMask(uint32_t Mask);
    int32_t GetNotificationMask();
    int32_t SetDebugLevel(uint8_t Level);
    int32_t GetDebugLevel();

    // The engine's text of an error code.
    QString ErrorString(int32_t Code) const;

protected:
    TZelkorCommands() = default;
    void SetEngine(const TEngineExports& exports, ZK_ControlChannel* channel);

    TEngineExports m_exports;
    ZK_ControlChannel* m_channel = nullptr;

private:
    int32_t SendN(uint32_t code);
    int32_t SendI(uint32_t code, int32_t value);
    int32_t SendS(uint32_t code, const QString& text);
    int32_t SendSI(uint32_t code, const QString& text, int32_t value);
    int32_t SendIPI(uint32_t code, int32_t first, const void* data, int32_t second);
};
