#pragma once
// A bare HTTP client socket for the tests and tools that play misbehaving
// clients: it connects from a chosen loopback address (127.0.0.2 and up count
// as other machines for the server's per-address limits) and sends exactly
// the bytes it is given, when it is told to.
#include <QtCore/QString>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace platform::server::testing {

struct RawResponse {
    int status = 0;
    std::string contentType;
    std::string body;
};

class RawHttpClient {
public:
    // Throws std::runtime_error when the connection cannot be made.
    RawHttpClient(const std::string& sourceAddress, int port);
    ~RawHttpClient();
    RawHttpClient(RawHttpClient&& other) noexcept;
    RawHttpClient& operator=(RawHttpClient&& other) noexcept;
    RawHttpClient(const RawHttpClient&) = delete;
    RawHttpClient& operator=(const RawHttpClient&) = delete;

    // False once the server has closed or reset the connection.
    bool send(std::string_view bytes);
    void shutdownWrite();
    // One response (its body by Content-Length); nullopt when the connection
    // ends first or the time runs out.
    std::optional<RawResponse> readResponse(std::chrono::milliseconds timeout);
    // Waits for the server to close the connection, discarding what it sends;
    // false when it is still open after the timeout.
    bool waitClosed(std::chrono::milliseconds timeout);
    void close();
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
    std::string m_pending;  // received beyond the last response
};

// "POST /rpc" with the body and its Content-Length; extraHeaders are lines
// ending in CRLF.
std::string rpcPost(std::string_view body, std::string_view extraHeaders = {});
// The same carrying an encoded login.
std::string loginPost(const QString& operatorCode, const QString& password, std::string_view extraHeaders = {});

}  // namespace platform::server::testing
