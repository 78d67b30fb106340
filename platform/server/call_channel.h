#pragma once
// What a transport tells the dispatcher about one call, and what it learns
// back beyond the answer's bytes.
#include <QtCore/QString>
#include <chrono>

namespace platform::server {

struct CallChannel {
    // The client's address as the server sees it (an IPv6 client by its /64);
    // empty in process.
    QString peerAddress;
    // Not to be answered before this time (a refused login). The HTTP server
    // holds the answer on a timer, so the wait keeps no worker busy.
    std::chrono::steady_clock::time_point answerNotBefore{};
};

}  // namespace platform::server
