// Output side of the shared endpoint and filter chain: records, texts, and
// how each operation travels down the chain to the module.
#pragma once

#include "decoder/chain_forwarding.h"
#include "decoder/endpoint.h"
#include "zelkor.h"

namespace zk {

struct OutputTraits {
    using Module = ZK_OutputModule;
    using Filter = ZK_OutputFilter;
    using Next = ZK_OutputNext;
    using Info = ZK_OutputInfo;

    static constexpr auto data_operation = &Module::write;
    static constexpr const char* missing_data_operation = "null 'write' method in module";
    static constexpr int32_t unsupported_type = ZK_ERROR_UNSUPPORTED_OUTPUT_TYPE;
    static constexpr const char* text_null_module = "null output module";
    static constexpr const char* text_null_device = "null output device";
    static constexpr const char* text_not_closed = "output not closed";
    static constexpr const char* text_not_open = "output not open";

    template <class Element> static Next filter_entry(Element* element) {
        using namespace chain;
        return Next{element,
                    through_filter<Element, &Filter::open, &Next::open>,
                    through_filter<Element, &Filter::close, &Next::close>,
                    through_filter<Element, &Filter::write, &Next::write>,
                    through_filter<Element, &Filter::get_buffer, &Next::get_buffer>,
                    through_filter<Element, &Filter::set_control, &Next::set_control>,
                    through_filter<Element, &Filter::get_control, &Next::get_control>,
                    through_filter<Element, &Filter::get_status, &Next::get_status>,
                    through_filter<Element, &Filter::get_caps, &Next::get_caps>,
                    through_filter<Element, &Filter::send_message, &Next::send_message>};
    }

    template <class Endpoint> static Next terminal_entry(Endpoint* endpoint) {
        using namespace chain;
        return Next{endpoint,
                    to_module<Endpoint, &Module::open, &Next::open, ZK_ERROR_INTERNAL>,
                    to_module<Endpoint, &Module::close, &Next::close, ZK_ERROR_INTERNAL>,
                    to_module<Endpoint, &Module::write, &Next::write, ZK_ERROR_INTERNAL>,
                    to_module<Endpoint, &Module::get_buffer, &Next::get_buffer, nullptr>,
                    to_module<Endpoint, &Module::set_control, &Next::set_control, ZK_FAILURE>,
                    to_module<Endpoint, &Module::get_control, &Next::get_control, ZK_FAILURE>,
                    to_module<Endpoint, &Module::get_status, &Next::get_status, ZK_FAILURE>,
                    to_module<Endpoint, &Module::get_caps, &Next::get_caps, 0u>,
                    to_module<Endpoint, &Module::send_message, &Next::send_message, ZK_FAILURE>};
    }
};

using OutputEndpoint = Endpoint<OutputTraits>;

} // namespace zk
