// Trampolines of the filter chains shared by inputs and outputs. Every
// element of a chain is reached through a "next" record (ZK_InputNext,
// ZK_OutputNext): a context and one function per operation. A filter element
// runs its own operation when it has one and otherwise passes the call on;
// the terminal element calls the module, with a fallback result for the
// operations a module may leave out.
#pragma once

#include <type_traits>
#include <utility>

namespace zk::chain {

template <class Next, auto NextOp> using OperationType = std::remove_cvref_t<decltype(std::declval<Next&>().*NextOp)>;

// Filter element: context is the element (filter, instance, downstream).
template <class Element, auto FilterOp, auto NextOp, class Fn> struct FilterCall;

template <class Element, auto FilterOp, auto NextOp, class R, class... A>
struct FilterCall<Element, FilterOp, NextOp, R (*)(void*, A...)> {
    static R call(void* context, A... args) {
        auto* element = static_cast<Element*>(context);
        if (auto op = element->filter.*FilterOp) return op(element->instance, element->downstream, args...);
        const auto* next = element->downstream;
        return (next->*NextOp)(next->context, args...);
    }
};

template <class Element, auto FilterOp, auto NextOp>
constexpr auto through_filter =
    &FilterCall<Element, FilterOp, NextOp, OperationType<typename Element::Next, NextOp>>::call;

// Terminal element: context is the endpoint holding the module and its instance.
template <class Endpoint, auto ModuleOp, auto NextOp, auto Fallback, class Fn> struct ModuleCall;

template <class Endpoint, auto ModuleOp, auto NextOp, auto Fallback, class R, class... A>
struct ModuleCall<Endpoint, ModuleOp, NextOp, Fallback, R (*)(void*, A...)> {
    static R call(void* context, A... args) {
        auto* endpoint = static_cast<Endpoint*>(context);
        const auto* module = endpoint->module();
        if (!module || !(module->*ModuleOp)) return Fallback;
        return (module->*ModuleOp)(endpoint->instance(), args...);
    }
};

template <class Endpoint, auto ModuleOp, auto NextOp, auto Fallback>
constexpr auto to_module =
    &ModuleCall<Endpoint, ModuleOp, NextOp, Fallback, OperationType<typename Endpoint::Next, NextOp>>::call;

} // namespace zk::chain
