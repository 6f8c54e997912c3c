// The connections of an open network input. The stream arrives on data (a
// plain or secure transport, decoded by the body and metadata layers that the
// reply asked for); FTP also keeps its control connection and, until the data
// connection is accepted in active mode, its listening socket.
#pragma once

#include "platform/net/transport.h"

#include <memory>

namespace zk::stream {

struct StreamConnection {
    std::unique_ptr<platform::Transport> data;
    std::unique_ptr<platform::Transport> control;
    platform::Socket listener;

    void close() {
        data.reset();
        control.reset();
        listener.close();
    }
};

} // namespace zk::stream
