#pragma once

#include "zelkor.h"

#include <QString>
#include <cstdint>
#include <functional>

class QObject;

// Event types of the engine binding. Every handler gets the binding as Sender
// first; texts are owned copies, a null string arriving as the empty text.
using TNotifyMessageEvent = std::function<void(QObject* Sender, ZK_Message& Msg)>;
using TNotifyEvent = std::function<void(QObject* Sender)>;
using TNotifyAckEvent = std::function<void(QObject* Sender, uint8_t Command)>;
using TNotifyNackEvent = std::function<void(QObject* Sender, uint8_t Command, int16_t Code)>;
using TNotifyPongEvent = std::function<void(QObject* Sender, uint32_t Tag)>;
using TNotifyPlayerStateEvent = std::function<void(QObject* Sender, int32_t State)>;
using TNotifyInputStateEvent = TNotifyPlayerStateEvent;
using TNotifyOutputStateEvent = TNotifyPlayerStateEvent;
using TNotifyPlayerModeEvent = std::function<void(QObject* Sender, int32_t Mode)>;
using TNotifyEnvironmentIntegerEvent = std::function<void(QObject* Sender, const QString& Name, int32_t Value)>;
using TNotifyEnvironmentStringEvent = std::function<void(QObject* Sender, const QString& Name, const QString& Value)>;
using TNotifyInputNameEvent = std::function<void(QObject* Sender, const QString& Name)>;
using TNotifyOutputNameEvent = TNotifyInputNameEvent;
using TNotifyInputCapsEvent = std::function<void(QObject* Sender, uint32_t Caps)>;
using TNotifyOutputCapsEvent = TNotifyInputCapsEvent;
using TNotifyInputPositionEvent = std::function<void(QObject* Sender, uint32_t Offset, uint32_t Range)>;
using TNotifyInputPositionRangeEvent = std::function<void(QObject* Sender, int32_t Range)>;
using TNotifyInputTimecodeEvent =
    std::function<void(QObject* Sender, uint8_t Hours, uint8_t Minutes, uint8_t Seconds, uint8_t Fractions)>;
using TNotifyInputTimecodeGranularityEvent = std::function<void(QObject* Sender, uint32_t Granularity)>;
using TNotifyInputDurationEvent = std::function<void(QObject* Sender, uint32_t Duration)>;
using TNotifyInputStreamInfoEvent = std::function<void(QObject* Sender, uint8_t Level, uint8_t Layer, uint16_t Bitrate,
                                                       uint16_t Frequency, uint8_t Mode)>;
using TNotifyInputModuleEvent = std::function<void(QObject* Sender, int16_t ID)>;
using TNotifyOutputModuleEvent = TNotifyInputModuleEvent;
using TNotifyInputModuleInfoEvent = std::function<void(QObject* Sender, uint8_t ID, uint8_t NbDevices,
                                                       const QString& Name, const QString& Description)>;
using TNotifyOutputModuleInfoEvent = TNotifyInputModuleInfoEvent;
using TNotifyInputDeviceInfoEvent = std::function<void(QObject* Sender, uint8_t ModuleID, uint8_t Index, uint8_t Flags,
                                                       const QString& Name, const QString& Description)>;
using TNotifyOutputDeviceInfoEvent = TNotifyInputDeviceInfoEvent;
using TNotifyInputFilterInfoEvent = std::function<void(QObject* Sender, uint8_t ID, const QString& Name)>;
using TNotifyOutputFilterInfoEvent = TNotifyInputFilterInfoEvent;
using TNotifyOutputVolumeEvent =
    std::function<void(QObject* Sender, uint8_t MasterLevel, uint8_t PcmLevel, uint8_t Balance)>;
using TNotifyOutputBalanceEvent = std::function<void(QObject* Sender, uint8_t Balance)>;
using TNotifyOutputPcmLevelEvent = std::function<void(QObject* Sender, uint8_t PcmLevel)>;
using TNotifyOutputMasterLevelEvent = std::function<void(QObject* Sender, uint8_t MasterLevel)>;
using TNotifyOutputChannelsEvent = std::function<void(QObject* Sender, uint8_t Channels)>;
using TNotifyOutputPortsEvent = std::function<void(QObject* Sender, uint32_t Ports)>;
using TNotifyCodecEqualizerEvent = std::function<void(QObject* Sender, const ZK_EqualizerInfo& Equalizer)>;
using TNotifyNotificationMask = std::function<void(QObject* Sender, uint32_t Mask)>;
using TNotifyDebugLevelEvent = std::function<void(QObject* Sender, uint8_t Level)>;
using TNotifyProgressEvent =
    std::function<void(QObject* Sender, uint8_t Source, uint8_t Code, int16_t Value, const QString& Msg)>;
using TNotifyDebugEvent = std::function<void(QObject* Sender, uint8_t Source, uint8_t Level, const QString& Msg)>;
using TNotifyErrorEvent = std::function<void(QObject* Sender, uint8_t Source, int16_t Code, const QString& Msg)>;
// A radio stream's title now playing (possibly empty), or its station's name.
using TNotifyInputStreamTitleEvent = std::function<void(QObject* Sender, const QString& Title)>;

// The 44 event slots of the binding; an empty slot drops its notification.
struct TZelkorEvents {
    TNotifyMessageEvent OnNotifyMessage;
    TNotifyEvent OnNotifyReady;
    TNotifyAckEvent OnNotifyAck;
    TNotifyNackEvent OnNotifyNack;
    TNotifyPongEvent OnNotifyPong;
    TNotifyEvent OnNotifyExited;
    TNotifyPlayerStateEvent OnNotifyPlayerState;
    TNotifyPlayerModeEvent OnNotifyPlayerMode;
    TNotifyEnvironmentIntegerEvent OnNotifyPlayerEnvironmentInteger;
    TNotifyEnvironmentStringEvent OnNotifyPlayerEnvironmentString;
    TNotifyInputStateEvent OnNotifyInputState;
    TNotifyInputNameEvent OnNotifyInputName;
    TNotifyInputCapsEvent OnNotifyInputCaps;
    TNotifyInputPositionEvent OnNotifyInputPosition;
    TNotifyInputPositionRangeEvent OnNotifyInputPositionRange;
    TNotifyInputTimecodeEvent OnNotifyInputTimecode;
    TNotifyInputTimecodeGranularityEvent OnNotifyInputTimecodeGranularity;
    TNotifyInputDurationEvent OnNotifyInputDuration;
    TNotifyInputStreamInfoEvent OnNotifyInputStreamInfo;
    TNotifyInputModuleEvent OnNotifyInputModule;
    TNotifyInputModuleInfoEvent OnNotifyInputModuleInfo;
    TNotifyInputDeviceInfoEvent OnNotifyInputDeviceInfo;
    TNotifyInputFilterInfoEvent OnNotifyInputFilterInfo;
    TNotifyOutputStateEvent OnNotifyOutputState;
    TNotifyOutputNameEvent OnNotifyOutputName;
    TNotifyOutputCapsEvent OnNotifyOutputCaps;
    TNotifyOutputVolumeEvent OnNotifyOutputVolume;
    TNotifyOutputBalanceEvent OnNotifyOutputBalance;
    TNotifyOutputPcmLevelEvent OnNotifyOutputPcmLevel;
    TNotifyOutputMasterLevelEvent OnNotifyOutputMasterLevel;
    TNotifyOutputChannelsEvent OnNotifyOutputChannels;
    TNotifyOutputPortsEvent OnNotifyOutputPorts;
    TNotifyOutputModuleEvent OnNotifyOutputModule;
    TNotifyOutputModuleInfoEvent OnNotifyOutputModuleInfo;
    TNotifyOutputDeviceInfoEvent OnNotifyOutputDeviceInfo;
    TNotifyOutputFilterInfoEvent OnNotifyOutputFilterInfo;
    TNotifyCodecEqualizerEvent OnNotifyCodecEqualizer;
    TNotifyNotificationMask OnNotifyNotificationMask;
    TNotifyDebugLevelEvent OnNotifyDebugLevel;
    TNotifyProgressEvent OnNotifyProgress;
    TNotifyDebugEvent OnNotifyDebug;
    TNotifyErrorEvent OnNotifyError;
    TNotifyInputStreamTitleEvent OnNotifyInputStreamTitle;
    TNotifyInputStreamTitleEvent OnNotifyInputStreamName;
};
