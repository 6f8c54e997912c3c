// Layer III working storage kept between frames.
#pragma once

namespace zk {

struct Layer3State {
    void reset() {}
};

} // namespace zk
