// Input side of the shared endpoint and filter chain: records, texts, and
// how each operation travels down the chain to the module.
#pragma once

#include "decoder/chain_forwarding.h"
#include "decoder/endpoint.h"
#include "zelkor.h"

namespace zk {

struct InputTraits {
    using Module = ZK_InputModule;
    using Filter = ZK_InputFilter;
    using Next = ZK_InputNext;
    using Info = ZK_InputInfo;

    static constexpr auto data_operation = &Module::read;
    static constexpr const char* missing_data_operation = "null 'read' method in module";
    static constexpr int32_t unsupported_type = ZK_ERROR_UNSUPPORTED_INPUT_TYPE;
    static constexpr const char* text_null_module = "null input module";
    static constexpr const char* text_null_device = "null input device";
    static constexpr const char* text_not_closed = "input not closed";
    static constexpr const char* text_not_open = "input not open";

    template <class Element> static Next filter_entry(Element* element) {
        using namespace chain;
        return Next{element,
                    through_filter<Element, &Filter::open, &Next::open>,
                    through_filter<Element, &Filter::close, &Next::close>,
                    through_filter<Element, &Filter::read, &Next::read>,
                    through_filter<Element, &Filter::seek, &Next::seek>,
                    through_filter<Element, &Filter::get_caps, &Next::get_caps>,
                    through_filter<Element, &Filter::get_size, &Next::get_size>,
                    through_filter<Element, &Filter::send_message, &Next::send_message>};
    }

    template <class Endpoint> static Next terminal_entry(Endpoint* endpoint) {
        using namespace chain;
        return Next{endpoint,
                    to_module<Endpoint, &Module::open, &Next::open, ZK_ERROR_INTERNAL>,
                    to_module<Endpoint, &Module::close, &Next::close, ZK_ERROR_INTERNAL>,
                    to_module<Endpoint, &Module::read, &Next::read, ZK_ERROR_INTERNAL>,
                    to_module<Endpoint, &Module::seek, &Next::seek, ZK_FAILURE>,
                    to_module<Endpoint, &Module::get_caps, &Next::get_caps, 0u>,
                    to_module<Endpoint, &Module::get_size, &Next::get_size, 0u>,
                    to_module<Endpoint, &Module::send_message, &Next::send_message, ZK_FAILURE>};
    }
};

using InputEndpoint = Endpoint<InputTraits>;

} // namespace zk
