// The sockets of an open network input. The stream arrives on data; FTP also
// keeps its control connection and, until the data connection is accepted,
// its listening socket.
#pragma once

#include "platform/net/socket.h"

namespace zk::stream {

struct StreamConnection {
    platform::Socket data;
    platform::Socket control;
    platform::Socket listener;

    void close() {
        data.close();
        control.close();
        listener.close();
    }
};

} // namespace zk::stream
