#pragma once
// Reaches the application server over HTTP: POST /rpc with the CBOR request as
// body. The host may be a bare name or address ("srvaf", "10.0.0.5") or a URL
// ("http://srvaf", "https://srvaf.example.com" when a TLS proxy fronts the
// server). Each exchange is synchronous on the caller's thread.
#include "remote_transport.h"

#include <chrono>
#include <memory>

namespace httplib {
class Client;
}

namespace host {

struct HttpTransportOptions {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds readTimeout{300'000};  // a save or a big load can take minutes
    std::chrono::milliseconds writeTimeout{60'000};
    bool keepAlive = false;  // one TCP connection per call keeps no server thread waiting on an idle client
};

class HttpTransport : public RemoteTransport {
public:
    explicit HttpTransport(HttpTransportOptions options = {});
    ~HttpTransport() override;

    void open(const QString& host, int port) override;
    void close() override;
    QByteArray exchange(const QByteArray& request) override;

    // "host:port" as shown in messages.
    QString address() const { return m_address; }

private:
    [[noreturn]] void fail(const QString& what, const QString& reason) const;

    HttpTransportOptions m_options;
    std::unique_ptr<httplib::Client> m_client;
    QString m_address;
    QString m_setupError;  // a host that cannot be used, reported by the first exchange
};

}  // namespace host
