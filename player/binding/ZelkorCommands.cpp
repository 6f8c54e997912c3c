#include "player/binding/ZelkorCommands.h"

#include "desktop/files/FileNames.h"

TZelkorCommands::TZelkorCommands(const TEngineExports& exports, ZK_ControlChannel* channel) {
    SetEngine(exports, channel);
}

void TZelkorCommands::SetEngine(const TEngineExports& exports, ZK_ControlChannel* channel) {
    m_exports = exports;
    m_channel = channel;
}

int32_t TZelkorCommands::SendN(uint32_t code) { return m_exports.control_message_send_N(m_channel, code); }

int32_t TZelkorCommands::SendI(uint32_t code, int32_t value) {
    return m_exports.control_message_send_I(m_channel, code, value);
}

int32_t TZelkorCommands::SendS(uint32_t code, const QString& text) {
    return m_exports.control_message_send_S(m_channel, code, text.toUtf8().constData());
}

int32_t TZelkorCommands::SendSI(uint32_t code, const QString& text, int32_t value) {
    return m_exports.control_message_send_SI(m_channel, code, text.toUtf8().constData(), value);
}

int32_t TZelkorCommands::SendIPI(uint32_t code, int32_t first, const void* data, int32_t second) {
    return m_exports.control_message_send_IPI(m_channel, code, first, data, second);
}

int32_t TZelkorCommands::Exit() { return SendN(ZK_MSG_COMMAND_EXIT); }
int32_t TZelkorCommands::Ping(uint32_t Tag) { return SendI(ZK_MSG_COMMAND_PING, static_cast<int32_t>(Tag)); }
int32_t TZelkorCommands::Play() { return SendN(ZK_MSG_COMMAND_PLAY); }
int32_t TZelkorCommands::Pause() { return SendN(ZK_MSG_COMMAND_PAUSE); }
int32_t TZelkorCommands::Stop() { return SendN(ZK_MSG_COMMAND_STOP); }

int32_t TZelkorCommands::InputSeek(uint32_t Offset, uint32_t Range) {
    return m_exports.control_message_send_II(m_channel, ZK_MSG_COMMAND_SEEK, static_cast<int32_t>(Offset),
                                             static_cast<int32_t>(Range));
}

// File names travel as the bytes they stand for, so that a name that is not
// valid UTF-8 reaches the same file; URLs are ASCII either way.
int32_t TZelkorCommands::InputOpen(const QString& Name) {
    return m_exports.control_message_send_S(m_channel, ZK_MSG_COMMAND_INPUT_OPEN, EncodeFileName(Name).constData());
}
int32_t TZelkorCommands::InputClose() { return SendN(ZK_MSG_COMMAND_INPUT_CLOSE); }

int32_t TZelkorCommands::InputSendMessage(uint16_t Type, const void* Data, uint32_t Size) {
    return SendIPI(ZK_MSG_COMMAND_INPUT_SEND_MESSAGE, Type, Data, static_cast<int32_t>(Size));
}

int32_t TZelkorCommands::InputAddFilter(const QString& Name, int32_t ID) {
    return SendSI(ZK_MSG_COMMAND_INPUT_ADD_FILTER, Name, ID);
}

int32_t TZelkorCommands::InputRemoveFilter(const QString& Name, int32_t ID) {
    return SendSI(ZK_MSG_COMMAND_INPUT_REMOVE_FILTER, Name, ID);
}

int32_t TZelkorCommands::InputFilterList() { return SendN(ZK_MSG_COMMAND_INPUT_FILTERS_LIST); }

int32_t TZelkorCommands::InputModuleRegister(const QString& Name) {
    return SendS(ZK_MSG_COMMAND_INPUT_MODULE_REGISTER, Name);
}

int32_t TZelkorCommands::InputModuleQuery(int32_t ID) { return SendI(ZK_MSG_COMMAND_INPUT_MODULE_QUERY, ID); }
int32_t TZelkorCommands::InputModulesList() { return SendN(ZK_MSG_COMMAND_INPUT_MODULES_LIST); }

int32_t TZelkorCommands::OutputOpen(const QString& Name) { return SendS(ZK_MSG_COMMAND_OUTPUT_OPEN, Name); }
int32_t TZelkorCommands::OutputClose() { return SendN(ZK_MSG_COMMAND_OUTPUT_CLOSE); }

int32_t TZelkorCommands::OutputSendMessage(uint16_t Type, const void* Data, uint32_t Size) {
    return SendIPI(ZK_MSG_COMMAND_OUTPUT_SEND_MESSAGE, Type, Data, static_cast<int32_t>(Size));
}

int32_t TZelkorCommands::OutputMute() { return SendN(ZK_MSG_COMMAND_OUTPUT_MUTE); }
int32_t TZelkorCommands::OutputUnmute() { return SendN(ZK_MSG_COMMAND_OUTPUT_UNMUTE); }
int32_t TZelkorCommands::OutputReset() { return SendN(ZK_MSG_COMMAND_OUTPUT_RESET); }
int32_t TZelkorCommands::OutputDrain() { return SendN(ZK_MSG_COMMAND_OUTPUT_DRAIN); }

int32_t TZelkorCommands::OutputAddFilter(const QString& Name, int32_t Where) {
    return SendSI(ZK_MSG_COMMAND_OUTPUT_ADD_FILTER, Name, Where);
}

int32_t TZelkorCommands::OutputRemoveFilter(const QString& Name, int32_t Where) {
    return SendSI(ZK_MSG_COMMAND_OUTPUT_REMOVE_FITLER, Name, Where);
}

int32_t TZelkorCommands::OutputFilterList() { return SendN(ZK_MSG_COMMAND_OUTPUT_FILTERS_LIST); }

int32_t TZelkorCommands::OutputModuleRegister(const QString& Name) {
    return SendS(ZK_MSG_COMMAND_OUTPUT_MODULE_REGISTER, Name);
}

int32_t TZelkorCommands::OutputModuleQuery(int32_t ID) { return SendI(ZK_MSG_COMMAND_OUTPUT_MODULE_QUERY, ID); }
int32_t TZelkorCommands::OutputModulesList() { return SendN(ZK_MSG_COMMAND_OUTPUT_MODULES_LIST); }

int32_t TZelkorCommands::SetPlayerMode(int32_t Mode) { return SendI(ZK_MSG_SET_PLAYER_MODE, Mode); }
int32_t TZelkorCommands::GetPlayerMode() { return SendN(ZK_MSG_GET_PLAYER_MODE); }

int32_t TZelkorCommands::SetPlayerEnvironmentInteger(const QString& Name, int32_t Value) {
    return SendSI(ZK_MSG_SET_PLAYER_ENVIRONMENT_INTEGER, Name, Value);
}

int32_t TZelkorCommands::GetPlayerEnvironmentInteger(const QString& Name) {
    return SendS(ZK_MSG_GET_PLAYER_ENVIRONMENT_INTEGER, Name);
}

int32_t TZelkorCommands::SetPlayerEnvironmentString(const QString& Name, const QString& Value) {
    return m_exports.control_message_send_SS(m_channel, ZK_MSG_SET_PLAYER_ENVIRONMENT_STRING, Name.toUtf8().constData(),
                                             Value.toUtf8().constData());
}

int32_t TZelkorCommands::GetPlayerEnvironmentString(const QString& Name) {
    return SendS(ZK_MSG_GET_PLAYER_ENVIRONMENT_STRING, Name);
}

int32_t TZelkorCommands::UnsetPlayerEnvironment(const QString& Name) {
    return SendS(ZK_MSG_UNSET_PLAYER_ENVIRONMENT, Name);
}

int32_t TZelkorCommands::SetInputName(const QString& Name) { return SendS(ZK_MSG_SET_INPUT_NAME, Name); }
int32_t TZelkorCommands::GetInputName() { return SendN(ZK_MSG_GET_INPUT_NAME); }
int32_t TZelkorCommands::SetInputModule(int32_t ID) { return SendI(ZK_MSG_SET_INPUT_MODULE, ID); }
int32_t TZelkorCommands::GetInputModule() { return SendN(ZK_MSG_GET_INPUT_MODULE); }

int32_t TZelkorCommands::SetInputPositionRange(uint32_t Range) {
    return SendI(ZK_MSG_SET_INPUT_POSITION_RANGE, static_cast<int32_t>(Range));
}

int32_t TZelkorCommands::GetInputPositionRange() { return SendN(ZK_MSG_GET_INPUT_POSITION_RANGE); }

int32_t TZelkorCommands::SetInputTimecodeGranularity(uint32_t Granularity) {
    return SendI(ZK_MSG_SET_INPUT_TIMECODE_GRANULARITY, static_cast<int32_t>(Granularity));
}

int32_t TZelkorCommands::GetInputTimecodeGranularity() { return SendN(ZK_MSG_GET_INPUT_TIMECODE_GRANULARITY); }

int32_t TZelkorCommands::SetOutputName(const QString& Name) { return SendS(ZK_MSG_SET_OUTPUT_NAME, Name); }
int32_t TZelkorCommands::GetOutputName() { return SendN(ZK_MSG_GET_OUTPUT_NAME); }
int32_t TZelkorCommands::SetOutputModule(int32_t ID) { return SendI(ZK_MSG_SET_OUTPUT_MODULE, ID); }
int32_t TZelkorCommands::GetOutputModule() { return SendN(ZK_MSG_GET_OUTPUT_MODULE); }

int32_t TZelkorCommands::SetOutputVolume(uint8_t Balance, uint8_t PcmLevel, uint8_t MasterLevel) {
    return m_exports.control_message_send_III(m_channel, ZK_MSG_SET_OUTPUT_VOLUME, Balance, PcmLevel, MasterLevel);
}

int32_t TZelkorCommands::GetOutputVolume() { return SendN(ZK_MSG_GET_OUTPUT_VOLUME); }
int32_t TZelkorCommands::SetOutputChannels(uint8_t Channels) { return SendI(ZK_MSG_SET_OUTPUT_CHANNELS, Channels); }
int32_t TZelkorCommands::GetOutputChannels() { return SendN(ZK_MSG_GET_OUTPUT_CHANNELS); }

int32_t TZelkorCommands::SetOutputPorts(uint32_t Ports) {
    return SendI(ZK_MSG_SET_OUTPUT_PORTS, static_cast<int32_t>(Ports));
}

int32_t TZelkorCommands::GetOutputPorts() { return SendN(ZK_MSG_GET_OUTPUT_PORTS); }

int32_t TZelkorCommands::SetCodecEqualizer(const ZK_EqualizerInfo* Equalizer) {
    return m_exports.control_message_send_P(m_channel, ZK_MSG_SET_CODEC_EQUALIZER, Equalizer);
}

int32_t TZelkorCommands::GetCodecEqualizer() { return SendN(ZK_MSG_GET_CODEC_EQUALIZER); }

int32_t TZelkorCommands::SetNotificationMask(uint32_t Mask) {
    return SendI(ZK_MSG_SET_NOTIFICATION_MASK, static_cast<int32_t>(Mask));
}

int32_t TZelkorCommands::GetNotificationMask() { return SendN(ZK_MSG_GET_NOTIFICATION_MASK); }
int32_t TZelkorCommands::SetDebugLevel(uint8_t Level) { return SendI(ZK_MSG_SET_DEBUG_LEVEL, Level); }
int32_t TZelkorCommands::GetDebugLevel() { return SendN(ZK_MSG_GET_DEBUG_LEVEL); }

QString TZelkorCommands::ErrorString(int32_t Code) const {
    return QString::fromUtf8(m_exports.zelkor_error_string(Code));
}
