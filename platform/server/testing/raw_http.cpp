#include "raw_http.h"

#include "host/remote/rpc_codec.h"
#include "host/remote/remote_names.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace platform::server::testing {

namespace {

sockaddr_in loopback(const std::string& address, int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(uint16_t(port));
    if (inet_pton(AF_INET, address.c_str(), &a.sin_addr) != 1)
        throw std::runtime_error("bad address " + address);
    return a;
}

int remainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    return int(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

// Receives into out; 0 when the peer closed, -1 on error or time-out.
ssize_t receive(int fd, std::string& out, std::chrono::steady_clock::time_point deadline) {
    pollfd p{fd, POLLIN, 0};
    const int ready = ::poll(&p, 1, remainingMs(deadline));
    if (ready <= 0) return -1;
    char buf[16384];
    const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
    if (n > 0) out.append(buf, size_t(n));
    return n < 0 ? -1 : n;
}

}  // namespace

RawHttpClient::RawHttpClient(const std::string& sourceAddress, int port) {
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0) throw std::runtime_error(std::string("socket: ") + std::strerror(errno));
    const sockaddr_in source = loopback(sourceAddress, 0);
    const sockaddr_in target = loopback("127.0.0.1", port);
    const int one = 1;
    ::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    if (::bind(m_fd, reinterpret_cast<const sockaddr*>(&source), sizeof source) != 0 ||
        ::connect(m_fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
        const std::string why = std::strerror(errno);
        ::close(m_fd);
        m_fd = -1;
        throw std::runtime_error("connect from " + sourceAddress + ": " + why);
    }
}

RawHttpClient::~RawHttpClient() { close(); }

RawHttpClient::RawHttpClient(RawHttpClient&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)), m_pending(std::move(other.m_pending)) {}

RawHttpClient& RawHttpClient::operator=(RawHttpClient&& other) noexcept {
    if (this != &other) {
        close();
        m_fd = std::exchange(other.m_fd, -1);
        m_pending = std::move(other.m_pending);
    }
    return *this;
}

void RawHttpClient::close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
}

bool RawHttpClient::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(size_t(n));
    }
    return true;
}

void RawHttpClient::shutdownWrite() { ::shutdown(m_fd, SHUT_WR); }

std::optional<RawResponse> RawHttpClient::readResponse(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string& in = m_pending;
    size_t headerEnd;
    while ((headerEnd = in.find("\r\n\r\n")) == std::string::npos)
        if (receive(m_fd, in, deadline) <= 0) return std::nullopt;
    RawResponse r;
    const std::string head = in.substr(0, headerEnd);
    if (head.compare(0, 5, "HTTP/") != 0 || head.size() < 12) return std::nullopt;
    r.status = std::atoi(head.c_str() + 9);
    size_t length = 0;
    size_t pos = head.find("\r\n");
    while (pos != std::string::npos && pos < head.size()) {
        const size_t next = head.find("\r\n", pos + 2);
        const std::string line = head.substr(pos + 2, (next == std::string::npos ? head.size() : next) - pos - 2);
        const size_t colon = line.find(':');
        if (colon != std::string::npos) {
            std::string name = line.substr(0, colon);
            for (char& c : name) c = char(std::tolower(static_cast<unsigned char>(c)));
            std::string value = line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(' '));
            if (name == "content-length") length = size_t(std::stoull(value));
            if (name == "content-type") r.contentType = value;
        }
        pos = next;
    }
    const size_t bodyStart = headerEnd + 4;
    while (in.size() < bodyStart + length)
        if (receive(m_fd, in, deadline) <= 0) return std::nullopt;
    r.body = in.substr(bodyStart, length);
    in.erase(0, bodyStart + length);
    return r;
}

bool RawHttpClient::waitClosed(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, remainingMs(deadline));
        if (ready <= 0) return false;
        char buf[4096];
        const ssize_t n = ::recv(m_fd, buf, sizeof buf, 0);
        if (n <= 0) return true;  // closed, or reset
    }
}

std::string rpcPost(std::string_view body, std::string_view extraHeaders) {
    std::string out = "POST /rpc HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Type: application/cbor\r\n";
    out.append(extraHeaders);
    out += "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
    out.append(body);
    return out;
}

std::string loginPost(const QString& operatorCode, const QString& password, std::string_view extraHeaders) {
    host::RpcRequest request;
    request.module = host::names::session::module;
    request.method = host::names::session::Login;
    request.args = {host::RemoteValue(operatorCode), host::RemoteValue(password)};
    const QByteArray body = host::encodeRequest(request);
    return rpcPost(std::string_view(body.constData(), size_t(body.size())), extraHeaders);
}

}  // namespace platform::server::testing
