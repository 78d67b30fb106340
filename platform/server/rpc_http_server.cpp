#include "rpc_http_server.h"

#include "server_log.h"

#include "host/data/errors.h"

#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/thread_pool.hpp>
#include <boost/asio/write.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <future>
#include <limits>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform::server {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using boost::system::error_code;
using Clock = std::chrono::steady_clock;

namespace {

constexpr char kCbor[] = "application/cbor";
constexpr char kText[] = "text/plain; charset=utf-8";
constexpr std::uint64_t kMaxDrainedBytes = 1 << 20;

std::string failureBody(const QString& message) {
    const QByteArray bytes = host::encodeResponse(host::RpcResponse::failure(message));
    return std::string(bytes.constData(), size_t(bytes.size()));
}

// The address a client is known by for the caps and the login throttle. An
// IPv6 host commonly holds a whole /64, so that is what counts.
std::string clientAddress(const asio::ip::address& a) {
    if (a.is_v4()) return a.to_v4().to_string();
    const asio::ip::address_v6 v6 = a.to_v6();
    if (v6.is_v4_mapped()) return asio::ip::make_address_v4(asio::ip::v4_mapped, v6).to_string();
    asio::ip::address_v6::bytes_type bytes = v6.to_bytes();
    std::fill(bytes.begin() + 8, bytes.end(), 0);
    return asio::ip::address_v6(bytes).to_string() + "/64";
}

// The client a trusted proxy names: the last address of X-Forwarded-For,
// the one the proxy itself added. Empty when there is none to be read.
std::string forwardedClient(beast::string_view header) {
    const size_t comma = header.rfind(',');
    beast::string_view last = comma == beast::string_view::npos ? header : header.substr(comma + 1);
    while (!last.empty() && (last.front() == ' ' || last.front() == '\t')) last.remove_prefix(1);
    while (!last.empty() && (last.back() == ' ' || last.back() == '\t')) last.remove_suffix(1);
    error_code ec;
    const asio::ip::address a = asio::ip::make_address(std::string(last), ec);
    return ec ? std::string() : clientAddress(a);
}

bool isHttpError(const error_code& ec) { return ec.category() == http::make_error_code(http::error::bad_target).category(); }

// Open connections, in all and per address. The connections give their place
// back when they are destroyed, which may happen off the I/O thread.
class ConnectionCounts {
public:
    ConnectionCounts(int maxTotal, int maxPerAddress) : m_maxTotal(maxTotal), m_maxPerAddress(maxPerAddress) {}

    bool admit(const std::string& address, bool capped) {
        std::lock_guard lock(m_mutex);
        if (m_total >= m_maxTotal) return false;
        int& n = m_perAddress[address];
        if (capped && n >= m_maxPerAddress) return false;
        ++n;
        ++m_total;
        return true;
    }
    void release(const std::string& address) {
        std::lock_guard lock(m_mutex);
        const auto it = m_perAddress.find(address);
        if (it == m_perAddress.end()) return;
        if (--it->second <= 0) m_perAddress.erase(it);
        --m_total;
    }

private:
    std::mutex m_mutex;
    const int m_maxTotal;
    const int m_maxPerAddress;
    int m_total = 0;
    std::unordered_map<std::string, int> m_perAddress;
};

}  // namespace

class RpcHttpServer::Engine {
public:
    Engine(const Dispatcher& dispatcher, HttpServerOptions options);
    ~Engine();

    int bind();
    void run();
    void stop();
    bool waitUntilAccepting(std::chrono::milliseconds timeout);

    const Dispatcher& dispatcher;
    const HttpServerOptions options;
    asio::io_context ioc;
    asio::thread_pool workers;
    std::shared_ptr<ConnectionCounts> counts;
    std::vector<std::string> trustedProxies;  // as clientAddress() writes them
    bool trusted(const std::string& address) const {
        return std::find(trustedProxies.begin(), trustedProxies.end(), address) != trustedProxies.end();
    }

    // The time a transfer of this many bytes may take beyond its floor.
    std::chrono::milliseconds transferTime(std::uint64_t bytes) const {
        return std::chrono::milliseconds(bytes * 1000 / std::uint64_t(std::max(1, options.minBytesPerSecond)));
    }

private:
    class Connection;
    bool listen(error_code& ec);
    void accept();
    void onAcceptError(const error_code& ec);
    void listenAgain(int attempt);
    void admit(tcp::socket socket);

    tcp::endpoint m_endpoint;
    tcp::acceptor m_acceptor;
    asio::steady_timer m_retry;
    int m_maxConnections;
    bool m_bound = false;
    std::atomic<bool> m_stopping{false};
    std::promise<void> m_accepting;
    std::shared_future<void> m_acceptingFuture;
    Clock::time_point m_lastRefusalLog{};
};

// One client connection, served on the I/O thread. Every wait on the client
// has a deadline that its own progress cannot push back: the header from the
// connection's start, the body from the header's end.
class RpcHttpServer::Engine::Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection(Engine& engine, tcp::socket socket, std::string address)
        : m_engine(engine), m_counts(engine.counts), m_stream(std::move(socket)), m_address(std::move(address)),
          m_hold(m_stream.get_executor()) {}
    ~Connection() { m_counts->release(m_address); }

    void start() { readHeader(); }

private:
    const HttpServerOptions& options() const { return m_engine.options; }

    // A kept-alive connection: the next request must start within the idle
    // limit, then its header has its own deadline.
    void awaitNext() {
        if (m_buffer.size() > 0) return readHeader();  // pipelined
        m_stream.expires_after(options().keepAliveTimeout);
        m_stream.async_read_some(m_buffer.prepare(4096), [self = shared_from_this()](error_code ec, size_t n) {
            if (ec) return self->close();
            self->m_buffer.commit(n);
            self->readHeader();
        });
    }

    void readHeader() {
        m_parser.emplace();
        m_parser->header_limit(std::uint32_t(std::max(1024, options().maxHeaderBytes)));
        m_parser->body_limit(std::numeric_limits<std::uint64_t>::max());  // judged below, with the right answer
        m_stream.expires_after(options().headerTimeout);
        http::async_read_header(m_stream, m_buffer, *m_parser,
                                [self = shared_from_this()](error_code ec, size_t) { self->onHeader(ec); });
    }

    void onHeader(const error_code& ec) {
        if (ec == http::error::header_limit)
            return refuse(http::status::request_header_fields_too_large,
                          QStringLiteral("Requisição inválida: cabeçalho HTTP maior que o limite de %1 bytes.")
                              .arg(options().maxHeaderBytes));
        if (ec == http::error::bad_content_length)
            return refuse(http::status::bad_request,
                          QStringLiteral("Requisição inválida: tamanho da mensagem (Content-Length) inválido."));
        if (ec && isHttpError(ec) && ec != http::error::end_of_stream && ec != http::error::partial_message)
            return refuse(http::status::bad_request, QStringLiteral("Requisição inválida: cabeçalho HTTP malformado."));
        if (ec) return close();  // gone, or too slow

        const auto& req = m_parser->get();
        m_keepAlive = req.keep_alive();
        const boost::optional<std::uint64_t> length = m_parser->content_length();
        if (m_parser->chunked() || (req.method() == http::verb::post && !length))
            return refuse(http::status::length_required,
                          QStringLiteral("Requisição inválida: a mensagem não informa seu tamanho (Content-Length)."));
        if (length && *length > std::uint64_t(m_engine.dispatcher.limits().maxBytes))
            return refuse(http::status::payload_too_large,
                          QStringLiteral("Requisição inválida: mensagem maior que o limite de %1 bytes")
                              .arg(m_engine.dispatcher.limits().maxBytes));
        if (m_parser->is_done()) return route();

        const std::uint64_t bytes = length.value_or(0);
        if (beast::iequals(req[http::field::expect], "100-continue")) {
            static const std::string kContinue = "HTTP/1.1 100 Continue\r\n\r\n";
            m_stream.expires_after(options().writeTimeout);
            asio::async_write(m_stream, asio::buffer(kContinue),
                              [self = shared_from_this(), bytes](error_code ec, size_t) {
                                  if (ec) return self->close();
                                  self->readBody(bytes);
                              });
            return;
        }
        readBody(bytes);
    }

    void readBody(std::uint64_t bytes) {
        m_stream.expires_after(options().bodyTimeout + m_engine.transferTime(bytes));
        http::async_read(m_stream, m_buffer, *m_parser, [self = shared_from_this()](error_code ec, size_t) {
            if (ec && isHttpError(ec) && ec != http::error::end_of_stream && ec != http::error::partial_message)
                return self->refuse(http::status::bad_request,
                                    QStringLiteral("Requisição inválida: corpo HTTP malformado."));
            if (ec) return self->close();
            self->route();
        });
    }

    void route() {
        const auto& req = m_parser->get();
        const beast::string_view target = req.target();
        const beast::string_view path = target.substr(0, target.find('?'));
        if (path == "/rpc" && req.method() == http::verb::post) return call();
        if (path == "/health" && req.method() == http::verb::get)
            return answer(http::status::ok, kText, "ok\n", false);
        answer(http::status::not_found, kText, "Não encontrado.\n", false);
    }

    // The call runs on a worker; its answer comes back here, held until the
    // time the dispatcher asked for (a refused login) on a timer.
    void call() {
        m_stream.expires_never();
        std::string client = m_address;
        if (m_engine.trusted(m_address))
            if (std::string forwarded = forwardedClient(m_parser->get()["X-Forwarded-For"]); !forwarded.empty())
                client = std::move(forwarded);
        std::string body = std::move(m_parser->get().body());
        m_parser.reset();
        asio::post(m_engine.workers, [self = shared_from_this(), body = std::move(body), client = std::move(client)]() mutable {
            CallChannel channel;
            channel.peerAddress = QString::fromStdString(client);
            http::status status = http::status::ok;
            std::string answer;
            try {
                bool badRequest = false;
                const QByteArray reply = self->m_engine.dispatcher.handle(
                    QByteArray::fromRawData(body.data(), qsizetype(body.size())), channel, &badRequest);
                answer.assign(reply.constData(), size_t(reply.size()));
                if (badRequest) status = http::status::bad_request;
            } catch (const std::exception& e) {  // out of memory copying the answer
                qCCritical(serverLog) << "HTTP call failed:" << e.what();
                status = http::status::internal_server_error;
                answer = failureBody(Dispatcher::internalError());
            }
            body = {};
            Connection& c = *self;
            asio::post(c.m_stream.get_executor(), [self = std::move(self), status, answer = std::move(answer),
                                                   notBefore = channel.answerNotBefore]() mutable {
                if (notBefore <= Clock::now()) return self->answer(status, kCbor, std::move(answer), false);
                Connection& c = *self;
                c.m_hold.expires_at(notBefore);
                c.m_hold.async_wait([self = std::move(self), status, answer = std::move(answer)](error_code) mutable {
                    self->answer(status, kCbor, std::move(answer), false);
                });
            });
        });
    }

    // Answered and closed: the request was not (all) read, so the client's
    // bytes are drained for a moment before closing, or the reset that
    // closing over unread data sends could destroy the answer on its way.
    void refuse(http::status status, const QString& message) {
        m_keepAlive = false;
        answer(status, kCbor, failureBody(message), true);
    }

    void answer(http::status status, const char* contentType, std::string body, bool linger) {
        m_response.emplace(status, 11);
        m_response->set(http::field::content_type, contentType);
        m_response->body() = std::move(body);
        m_response->keep_alive(m_keepAlive);
        m_response->prepare_payload();
        m_stream.expires_after(options().writeTimeout + m_engine.transferTime(m_response->body().size()));
        http::async_write(m_stream, *m_response, [self = shared_from_this(), linger](error_code ec, size_t) {
            self->m_response.reset();
            if (ec) return self->close();
            if (linger) return self->lingerAndClose();
            if (!self->m_keepAlive) return self->close();
            self->awaitNext();
        });
    }

    void lingerAndClose() {
        error_code ec;
        m_stream.socket().shutdown(tcp::socket::shutdown_send, ec);
        m_stream.expires_after(options().lingerTimeout);
        drain();
    }

    void drain() {
        m_stream.async_read_some(asio::buffer(m_drain), [self = shared_from_this()](error_code ec, size_t n) {
            self->m_drained += n;
            if (ec || self->m_drained > kMaxDrainedBytes) return self->close();
            self->drain();
        });
    }

    void close() {
        error_code ec;
        m_stream.socket().shutdown(tcp::socket::shutdown_both, ec);
        m_stream.socket().close(ec);
    }

    Engine& m_engine;
    std::shared_ptr<ConnectionCounts> m_counts;
    beast::tcp_stream m_stream;
    const std::string m_address;
    asio::steady_timer m_hold;
    beast::flat_buffer m_buffer;
    std::optional<http::request_parser<http::string_body>> m_parser;
    std::optional<http::response<http::string_body>> m_response;
    bool m_keepAlive = false;
    std::array<char, 4096> m_drain;
    std::uint64_t m_drained = 0;
};

RpcHttpServer::Engine::Engine(const Dispatcher& d, HttpServerOptions o)
    : dispatcher(d), options(std::move(o)), workers(size_t(std::max(1, options.threads))), m_acceptor(ioc),
      m_retry(ioc), m_maxConnections(std::max(1, options.maxConnections)),
      m_acceptingFuture(m_accepting.get_future().share()) {
    for (const QString& proxy : options.trustedProxies) {
        error_code ec;
        const asio::ip::address a = asio::ip::make_address(proxy.trimmed().toStdString(), ec);
        if (ec)
            throw host::UserError(QStringLiteral("Endereço de proxy inválido: \"%1\".").arg(proxy));
        trustedProxies.push_back(clientAddress(a));
    }
}

RpcHttpServer::Engine::~Engine() {
    stop();
    // Calls under way finish; their answers, and every connection, are
    // dropped with the I/O context.
    workers.stop();
    workers.join();
}

bool RpcHttpServer::Engine::listen(error_code& ec) {
    m_acceptor.close(ec);
    m_acceptor.open(m_endpoint.protocol(), ec);
    if (!ec) m_acceptor.set_option(tcp::acceptor::reuse_address(true), ec);
    if (!ec) m_acceptor.bind(m_endpoint, ec);
    if (!ec) m_acceptor.listen(std::max(1, options.backlog), ec);
    return !ec;
}

int RpcHttpServer::Engine::bind() {
    if (m_bound) return m_endpoint.port();
    const auto fail = [&] {
        return host::UserError(QStringLiteral("Não foi possível abrir o endereço %1:%2 para o servidor de aplicação.")
                                   .arg(options.host)
                                   .arg(options.port));
    };
    error_code ec;
    tcp::resolver resolver(ioc);
    const auto found = resolver.resolve(options.host.toStdString(), std::to_string(options.port),
                                        tcp::resolver::passive | tcp::resolver::numeric_service, ec);
    if (ec || found.empty()) throw fail();
    m_endpoint = found.begin()->endpoint();
    if (!listen(ec)) throw fail();
    m_endpoint.port(m_acceptor.local_endpoint(ec).port());  // the one chosen for port 0, kept when listening again
    if (ec) throw fail();

    // Each connection takes a descriptor; so do the workers' database
    // connections and the files the process keeps open.
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY) {
        const rlim_t reserve = 64 + 2 * rlim_t(std::max(1, options.threads));
        const int fits = files.rlim_cur > reserve ? int(std::min<rlim_t>(files.rlim_cur - reserve, 1 << 30)) : 1;
        if (fits < m_maxConnections) {
            qCWarning(serverLog) << "at most" << fits << "connections at once (descriptor limit" << files.rlim_cur
                                 << "), not" << m_maxConnections;
            m_maxConnections = fits;
        }
    }
    counts = std::make_shared<ConnectionCounts>(m_maxConnections, std::max(1, options.maxConnectionsPerAddress));
    m_bound = true;
    return m_endpoint.port();
}

void RpcHttpServer::Engine::run() {
    bind();
    if (m_stopping) return;
    asio::post(ioc, [this] { m_accepting.set_value(); });
    accept();
    ioc.run();
}

bool RpcHttpServer::Engine::waitUntilAccepting(std::chrono::milliseconds timeout) {
    return m_acceptingFuture.wait_for(timeout) == std::future_status::ready;
}

void RpcHttpServer::Engine::stop() {
    if (m_stopping.exchange(true)) return;
    asio::post(ioc, [this] {
        error_code ec;
        m_acceptor.close(ec);
        m_retry.cancel();
        ioc.stop();
    });
}

void RpcHttpServer::Engine::accept() {
    m_acceptor.async_accept([this](error_code ec, tcp::socket socket) {
        if (m_stopping || ec == asio::error::operation_aborted) return;
        if (ec) return onAcceptError(ec);
        admit(std::move(socket));
        accept();
    });
}

void RpcHttpServer::Engine::onAcceptError(const error_code& ec) {
    if (ec == asio::error::connection_aborted) return accept();
    if (ec == asio::error::no_descriptors || ec == asio::error::no_buffer_space || ec == asio::error::no_memory ||
        ec.value() == ENFILE) {
        // Out of descriptors or memory: wait for connections to end rather than spin.
        qCWarning(serverLog) << "accept failed:" << ec.message().c_str() << "- retrying";
        m_retry.expires_after(std::chrono::milliseconds(100));
        m_retry.async_wait([this](error_code e) {
            if (!e && !m_stopping) accept();
        });
        return;
    }
    qCCritical(serverLog) << "accept failed:" << ec.message().c_str() << "- listening again on port"
                          << m_endpoint.port();
    listenAgain(0);
}

void RpcHttpServer::Engine::listenAgain(int attempt) {
    error_code ec;
    if (listen(ec)) return accept();
    if (attempt >= 50) {
        qCCritical(serverLog) << "could not listen again on port" << m_endpoint.port() << ":" << ec.message().c_str();
        ioc.stop();
        return;
    }
    m_retry.expires_after(std::chrono::milliseconds(100));
    m_retry.async_wait([this, attempt](error_code e) {
        if (!e && !m_stopping) listenAgain(attempt + 1);
    });
}

void RpcHttpServer::Engine::admit(tcp::socket socket) {
    error_code ec;
    const tcp::endpoint peer = socket.remote_endpoint(ec);
    if (ec) return;
    std::string address = clientAddress(peer.address());
    if (!counts->admit(address, !trusted(address))) {
        // Closed unanswered: an answer would hold a descriptor the cap is there to save.
        const Clock::time_point now = Clock::now();
        if (now - m_lastRefusalLog > std::chrono::seconds(10)) {
            m_lastRefusalLog = now;
            qCWarning(serverLog).noquote() << "connection from" << QString::fromStdString(address)
                                           << "refused: too many connections";
        }
        socket.close(ec);
        return;
    }
    socket.set_option(tcp::no_delay(true), ec);  // answers go out whole; no wait for the peer's delayed ACK
    std::make_shared<Connection>(*this, std::move(socket), std::move(address))->start();
}

RpcHttpServer::RpcHttpServer(const Dispatcher& dispatcher, HttpServerOptions options)
    : m_engine(std::make_unique<Engine>(dispatcher, std::move(options))) {}

RpcHttpServer::~RpcHttpServer() {
    stop();
    if (m_thread.joinable()) m_thread.join();
    m_engine.reset();
}

int RpcHttpServer::bind() {
    if (m_port < 0) m_port = m_engine->bind();
    return m_port;
}

void RpcHttpServer::run() {
    bind();
    m_engine->run();
}

void RpcHttpServer::start() {
    bind();
    m_thread = std::thread([this] { m_engine->run(); });
    // The socket already listens, so connections made from now on wait in the
    // backlog; waiting for the I/O loop keeps stop() from racing its start.
    m_engine->waitUntilAccepting(std::chrono::seconds(5));
}

void RpcHttpServer::stop() { m_engine->stop(); }

}  // namespace platform::server
