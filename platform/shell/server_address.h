#pragma once
// Where a remote application server listens, as typed on the command line, in
// the configuration file or in the login dialog: "host:porta", or a URL
// ("http://srvaf:8211", "https://af.example.com" behind a TLS proxy).
#include <QtCore/QString>

namespace shell {

inline constexpr int kDefaultServerPort = 8211;

struct ServerAddress {
    QString host;  // bare name or address, or a URL with its scheme (no port, no path)
    int port = kDefaultServerPort;

    QString text() const;  // "host:porta" as shown to the user
    friend bool operator==(const ServerAddress&, const ServerAddress&) = default;
};

// Without a port: 8211 for a bare host, 80 for http://, 443 for https://.
// Throws host::UserError naming the text for an empty host, a path, or a port
// that is not a number in 1..65535.
ServerAddress parseServerAddress(const QString& text);

}  // namespace shell
