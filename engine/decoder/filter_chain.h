// The chain of filters in front of an input or output module: ids,
// placement, removal and listing. Inputs and outputs share it through their
// traits (engine/input/input_chain.h, engine/output/output_chain.h).
#pragma once

#include "zelkor.h"

#include <cstring>
#include <iterator>
#include <list>
#include <new>

namespace zk {

template <class FilterRecord, class NextRecord> struct ChainElement {
    using Next = NextRecord;
    FilterRecord filter{};
    void* instance = nullptr;
    int32_t id = 0;
    Next entry{};                     // how the element before reaches this one
    const Next* downstream = nullptr; // the element after (or the module)
};

template <class Traits> class FilterChain {
public:
    using Filter = typename Traits::Filter;
    using Next = typename Traits::Next;
    using Element = ChainElement<Filter, Next>;

    explicit FilterChain(const Next& terminal) : terminal_(terminal) {}
    ~FilterChain() { clear(); }
    FilterChain(const FilterChain&) = delete;
    FilterChain& operator=(const FilterChain&) = delete;

    // The first element: the first filter, or the module when there is none.
    const Next& head() const { return filters_.empty() ? terminal_ : filters_.front().entry; }

    // where: -1 first; 0 or 1 last; n >= 2 before the filter with id n (last
    // when there is none). Returns the new filter's id.
    int32_t add(ZK_Decoder* decoder, const Filter* filter, int32_t where) {
        if (!filter || !filter->name || where < -1) return ZK_ERROR_INVALID_PARAMETERS;
        const int32_t id = unused_id();
        auto position = filters_.end();
        if (where == -1) position = filters_.begin();
        if (where >= 2) position = find_id(where);
        typename std::list<Element>::iterator element;
        try {
            element = filters_.emplace(position);
        } catch (const std::bad_alloc&) {
            return ZK_ERROR_OUT_OF_MEMORY;
        }
        element->filter = *filter;
        element->id = id;
        element->entry = Traits::template filter_entry<Element>(&*element);
        relink();
        if (filter->new_instance) {
            const int32_t result = filter->new_instance(&element->instance, id, decoder);
            if (result < 0) {
                filters_.erase(element);
                relink();
                return result;
            }
        }
        return id;
    }

    // id: -2 the first filter called name, -1 the first element, 0 the last
    // filter, n > 0 the filter with id n. Returns the id of the new first
    // element (0 for the module), or -1 when no filter matches.
    int32_t remove(const char* name, int32_t id) {
        auto target = filters_.end();
        if (id == ZK_FILTER_BY_NAME) {
            if (!name || !*name) return ZK_FAILURE;
            for (auto it = filters_.begin(); it != filters_.end(); ++it)
                if (std::strcmp(name_of(*it), name) == 0) {
                    target = it;
                    break;
                }
        } else if (id == -1) {
            target = filters_.begin();
        } else if (id == 0) {
            if (!filters_.empty()) target = std::prev(filters_.end());
        } else if (id > 0) {
            target = find_id(id);
        }
        if (target == filters_.end()) return ZK_FAILURE;
        const Element removed = *target;
        filters_.erase(target);
        relink();
        destroy(removed);
        return filters_.empty() ? 0 : filters_.front().id;
    }

    int32_t list(void* client, ZK_FilterListCallback callback) const {
        if (!callback) return ZK_ERROR_INVALID_PARAMETERS;
        for (const Element& element : filters_) callback(client, name_of(element), element.id);
        return ZK_OK;
    }

    // Destroys every filter, first to last.
    void clear() {
        while (!filters_.empty()) {
            const Element removed = filters_.front();
            filters_.pop_front();
            relink();
            destroy(removed);
        }
    }

private:
    static const char* name_of(const Element& element) {
        const char* name = element.filter.name();
        return name ? name : "";
    }

    static void destroy(const Element& element) {
        if (element.filter.delete_instance) element.filter.delete_instance(element.instance);
    }

    typename std::list<Element>::iterator find_id(int32_t id) {
        for (auto it = filters_.begin(); it != filters_.end(); ++it)
            if (it->id == id) return it;
        return filters_.end();
    }

    int32_t unused_id() const {
        for (int32_t id = 1;; ++id) {
            bool used = false;
            for (const Element& element : filters_) used = used || element.id == id;
            if (!used) return id;
        }
    }

    void relink() {
        for (auto it = filters_.begin(); it != filters_.end(); ++it) {
            auto after = std::next(it);
            it->downstream = after == filters_.end() ? &terminal_ : &after->entry;
        }
    }

    std::list<Element> filters_; // chain order; the module follows the last one
    Next terminal_;
};

} // namespace zk
