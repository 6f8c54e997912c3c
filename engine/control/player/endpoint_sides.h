// The decoder's two endpoints as the player's commands see them: for each
// side its decoder exports, its notification codes and masks, and where the
// player keeps the side's name and module.
#pragma once

#include "control/player/player_context.h"

#include <string>

namespace zk::player {

struct InputSide {
    static constexpr uint32_t state_code = ZK_MSG_NOTIFY_INPUT_STATE;
    static constexpr uint32_t name_code = ZK_MSG_NOTIFY_INPUT_NAME;
    static constexpr uint32_t caps_code = ZK_MSG_NOTIFY_INPUT_CAPS;
    static constexpr uint32_t module_code = ZK_MSG_NOTIFY_INPUT_MODULE;
    static constexpr uint32_t module_info_code = ZK_MSG_NOTIFY_INPUT_MODULE_INFO;
    static constexpr uint32_t device_info_code = ZK_MSG_NOTIFY_INPUT_DEVICE_INFO;
    static constexpr uint32_t filter_info_code = ZK_MSG_NOTIFY_INPUT_FILTER_INFO;
    static constexpr uint32_t state_mask = ZK_NOTIFY_MASK_INPUT_STATE;
    static constexpr uint32_t name_mask = ZK_NOTIFY_MASK_INPUT_NAME;
    static constexpr uint32_t caps_mask = ZK_NOTIFY_MASK_INPUT_CAPS;
    static constexpr const char* module_symbol = "input_module_register";
    static constexpr const char* filter_symbol = "input_filter_register";
    static constexpr int module_list = 0; // index into ZK_Decoder::module_counts

    using Module = ZK_InputModule;
    using ModuleRegister = ZK_InputModuleRegister;
    using Filter = ZK_InputFilter;
    using FilterRegister = ZK_InputFilterRegister;

    static constexpr auto create = decoder_input_new;
    static constexpr auto open = decoder_input_open;
    static constexpr auto close = decoder_input_close;
    static constexpr auto send_message = decoder_input_send_message;
    static constexpr auto add_filter = decoder_input_add_filter;
    static constexpr auto remove_filter = decoder_input_remove_filter;
    static constexpr auto list_filters = decoder_input_filters_list;
    static constexpr auto register_module = decoder_input_module_register;
    static constexpr auto query_module = decoder_input_module_query;

    static bool is_open(const PlayerContext& p) { return p.input_open(); }
    static std::string& name(PlayerContext& p) { return p.input_name; }
    static int32_t& module(PlayerContext& p) { return p.input_module; }
};

struct OutputSide {
    static constexpr uint32_t state_code = ZK_MSG_NOTIFY_OUTPUT_STATE;
    static constexpr uint32_t name_code = ZK_MSG_NOTIFY_OUTPUT_NAME;
    static constexpr uint32_t caps_code = ZK_MSG_NOTIFY_OUTPUT_CAPS;
    static constexpr uint32_t module_code = ZK_MSG_NOTIFY_OUTPUT_MODULE;
    static constexpr uint32_t module_info_code = ZK_MSG_NOTIFY_OUTPUT_MODULE_INFO;
    static constexpr uint32_t device_info_code = ZK_MSG_NOTIFY_OUTPUT_DEVICE_INFO;
    static constexpr uint32_t filter_info_code = ZK_MSG_NOTIFY_OUTPUT_FILTER_INFO;
    static constexpr uint32_t state_mask = ZK_NOTIFY_MASK_OUTPUT_STATE;
    static constexpr uint32_t name_mask = ZK_NOTIFY_MASK_OUTPUT_NAME;
    static constexpr uint32_t caps_mask = ZK_NOTIFY_MASK_OUTPUT_CAPS;
    static constexpr const char* module_symbol = "output_module_register";
    static constexpr const char* filter_symbol = "output_filter_register";
    static constexpr int module_list = 1;

    using Module = ZK_OutputModule;
    using ModuleRegister = ZK_OutputModuleRegister;
    using Filter = ZK_OutputFilter;
    using FilterRegister = ZK_OutputFilterRegister;

    static constexpr auto create = decoder_output_new;
    static constexpr auto open = decoder_output_open;
    static constexpr auto close = decoder_output_close;
    static constexpr auto send_message = decoder_output_send_message;
    static constexpr auto add_filter = decoder_output_add_filter;
    static constexpr auto remove_filter = decoder_output_remove_filter;
    static constexpr auto list_filters = decoder_output_filters_list;
    static constexpr auto register_module = decoder_output_module_register;
    static constexpr auto query_module = decoder_output_module_query;

    static bool is_open(const PlayerContext& p) { return p.output_open(); }
    static std::string& name(PlayerContext& p) { return p.output_name; }
    static int32_t& module(PlayerContext& p) { return p.output_module; }
};

} // namespace zk::player
