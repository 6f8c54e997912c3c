// What inputs and outputs have in common: the registry of modules (ids in
// registration order, name lookups from the newest), the chosen module with
// its instance and name, and the filter chain in front of it. Traits name
// the records and texts of each side (input/input_chain.h,
// output/output_chain.h).
#pragma once

#include "decoder/debug_report.h"
#include "decoder/filter_chain.h"
#include "decoder/module_info.h"
#include "zelkor.h"

#include <cstring>
#include <new>
#include <vector>

namespace zk {

template <class Traits> class Endpoint {
public:
    using Module = typename Traits::Module;
    using Next = typename Traits::Next;
    using Info = typename Traits::Info;

    Endpoint(ZK_Decoder* decoder, Info& info, int32_t& module_count)
        : decoder_(decoder), info_(info), module_count_(module_count),
          chain_(Traits::template terminal_entry<Endpoint>(this)) {}
    Endpoint(const Endpoint&) = delete;
    Endpoint& operator=(const Endpoint&) = delete;

    // The chosen module (null when none) and its instance.
    const Module* module() const {
        const int32_t id = info_.module;
        return id >= 0 && id < static_cast<int32_t>(modules_.size()) ? &modules_[id] : nullptr;
    }
    void* instance() const { return info_.instance; }

    FilterChain<Traits>& chain() { return chain_; }
    const Next& head() const { return chain_.head(); }

    int32_t register_module(const Module* record) {
        if (!record) return ZK_ERROR_INVALID_PARAMETERS;
        const char* missing = nullptr;
        if (!record->new_instance || !record->delete_instance)
            missing = "null 'new' method in module";
        else if (!record->open)
            missing = "null 'open' method in module";
        else if (!record->close)
            missing = "null 'close' method in module";
        else if (!(record->*Traits::data_operation))
            missing = Traits::missing_data_operation;
        if (missing) {
            report_internal_error(decoder_, missing);
            return ZK_ERROR_INTERNAL;
        }
        try {
            modules_.push_back(*record);
        } catch (const std::bad_alloc&) {
            return ZK_ERROR_OUT_OF_MEMORY;
        }
        module_count_ = static_cast<int32_t>(modules_.size());
        return module_count_ - 1;
    }

    int32_t query(int32_t id, ZK_ModuleInfo* info, int32_t what) const {
        if (!info) return ZK_ERROR_INVALID_PARAMETERS;
        if (id < 0 || id >= static_cast<int32_t>(modules_.size())) return ZK_ERROR_MODULE_NOT_FOUND;
        if (modules_[id].query) return modules_[id].query(info, what);
        // A module without a query operation: one anonymous device.
        static const DeviceEntry anonymous[] = {{"unknown device name", "", 1}};
        return answer_query(info, what, "unknown module name", "", anonymous);
    }

    // Creates the instance for name with module id, or with the newest module
    // whose probe accepts the name when id is -1. The same module and name
    // keep the current instance. close_open is called first when the current
    // instance is open.
    template <class CloseOpen> int32_t create(const char* name, int32_t id, CloseOpen close_open) {
        if (!name) name = "";
        int32_t chosen = id;
        if (id == -1) {
            chosen = accepting_module(name);
            if (chosen < 0) return Traits::unsupported_type;
        } else if (id < 0 || id >= static_cast<int32_t>(modules_.size())) {
            return ZK_ERROR_MODULE_NOT_FOUND;
        }
        if (info_.instance && info_.module == chosen && info_.name && std::strcmp(info_.name, name) == 0) return ZK_OK;
        destroy(close_open);
        const size_t length = std::strlen(name) + 1;
        info_.name = new (std::nothrow) char[length];
        if (!info_.name) return ZK_ERROR_OUT_OF_MEMORY;
        std::memcpy(info_.name, name, length);
        info_.module = chosen;
        void* instance = nullptr;
        const int32_t result = modules_[chosen].new_instance(&instance, name, chosen, decoder_);
        if (result < 0) return result;
        info_.instance = instance;
        return ZK_OK;
    }

    // Deletes the current instance (closing it first when open) and forgets
    // module and name.
    template <class CloseOpen> void destroy(CloseOpen close_open) {
        if (info_.instance) {
            if (info_.state == 1) close_open();
            modules_[info_.module].delete_instance(info_.instance);
        }
        delete[] info_.name;
        info_.name = nullptr;
        info_.instance = nullptr;
        info_.module = -1;
        info_.state = 0;
    }

    // ZK_OK when an instance exists and is closed; -102 with the reason otherwise.
    int32_t check_can_open() const {
        const char* reason = nullptr;
        if (!module())
            reason = Traits::text_null_module;
        else if (!info_.instance)
            reason = Traits::text_null_device;
        else if (info_.state == 1)
            reason = Traits::text_not_closed;
        if (!reason) return ZK_OK;
        report_internal_error(decoder_, reason);
        return ZK_ERROR_INTERNAL;
    }

    // ZK_OK when open; -102 with "... not open" otherwise.
    int32_t check_open() const {
        if (info_.state == 1) return ZK_OK;
        report_internal_error(decoder_, Traits::text_not_open);
        return ZK_ERROR_INTERNAL;
    }

private:
    int32_t accepting_module(const char* name) const {
        for (int32_t id = static_cast<int32_t>(modules_.size()) - 1; id >= 0; --id)
            if (modules_[id].probe && modules_[id].probe(name) == 0) return id;
        return -1;
    }

    ZK_Decoder* decoder_;
    Info& info_;
    int32_t& module_count_;
    std::vector<Module> modules_;
    FilterChain<Traits> chain_;
};

} // namespace zk
