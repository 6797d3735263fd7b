// repieps-proxy: a TCP relay that delays every chunk it forwards, to measure a run as if the
// database server were on the network instead of on the same machine.
//
//   repieps-proxy --escuchar PUERTO --destino HOST:PUERTO --retardo-us N
//
// Listens on 127.0.0.1:PUERTO (0 = any free port); the chosen port is printed on stdout, one
// line, as soon as it listens. Every chunk read from either side reaches the other side N
// microseconds after it was read, in order, so a request and its answer take 2N more. Many
// connections at once. Ends on SIGTERM or SIGINT, closing every connection; with a delay it then
// tells on stderr how late, beyond the delay, the chunks went out (a loaded machine shows here).
// The line "congelar" on stdin freezes the connections open at that moment, as a network that cuts
// them off without a word: nothing more of them is forwarded, not even an end of data, and their
// sockets stay open until the proxy ends; "congelado" on stdout says it is done. Later connections
// forward as usual.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <deque>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Reloj = std::chrono::steady_clock;

// Lateness of the chunks sent, beyond their due time.
std::atomic<unsigned long long> trozosEnviados{0}, atrasoTotalNs{0}, atrasoMaximoNs{0};

void anotarAtraso(Reloj::time_point debido)
{
    const auto ns = static_cast<unsigned long long>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(Reloj::now() - debido).count());
    ++trozosEnviados;
    atrasoTotalNs += ns;
    unsigned long long maximo = atrasoMaximoNs;
    while (ns > maximo && !atrasoMaximoNs.compare_exchange_weak(maximo, ns)) {
    }
}

struct Trozo {
    Reloj::time_point salida;
    std::vector<char> datos; // empty: the sending side closed
};

void sinRetraso(int fd)
{
    int uno = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &uno, sizeof uno);
}

bool enviarTodo(int fd, const char *p, size_t n)
{
    while (n > 0) {
        const ssize_t k = send(fd, p, n, MSG_NOSIGNAL);
        if (k < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += k;
        n -= size_t(k);
    }
    return true;
}

// Sleeps until t: the kernel sleep ends a little early and the rest is spun, because a plain
// sleep overshoots by tens of microseconds, as much as the delay being simulated.
void esperarHasta(Reloj::time_point t)
{
    constexpr auto margen = std::chrono::microseconds(50);
    const auto ahora = Reloj::now();
    if (t - ahora > margen) {
        const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>((t - margen).time_since_epoch()).count();
        timespec ts{time_t(ns / 1000000000), long(ns % 1000000000)};
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
    while (Reloj::now() < t) {
    }
}

// One connection: the client's socket and the server's, and one direction of traffic per pair
// of threads (a reader that stamps chunks, a writer that releases them at their time).
class Conexion {
public:
    Conexion(int cliente, int servidor, std::chrono::microseconds retardo)
        : fd_{cliente, servidor}, retardo_(retardo)
    {
    }
    ~Conexion()
    {
        for (auto &h : hilos_)
            if (h.joinable())
                h.join();
        close(fd_[0]);
        close(fd_[1]);
    }

    void iniciar()
    {
        for (int d = 0; d < 2; ++d) {
            hilos_.emplace_back([this, d] { leer(d); });
            if (retardo_.count() > 0)
                hilos_.emplace_back([this, d] { escribir(d); });
        }
    }
    bool terminada() const { return sentidosCerrados_ == 2; }
    void congelar() { congelada_ = true; }
    // Unblocks every thread: used on shutdown and when one side fails.
    void cortar()
    {
        shutdown(fd_[0], SHUT_RDWR);
        shutdown(fd_[1], SHUT_RDWR);
        for (auto &s : sentido_) {
            std::lock_guard<std::mutex> l(s.m);
            s.cortado = true;
            s.cv.notify_all();
        }
    }

private:
    struct Sentido {
        std::mutex m;
        std::condition_variable cv;
        std::deque<Trozo> cola;
        bool cortado = false;
    };

    // A frozen direction keeps what it read and waits for the proxy to end.
    bool congelado(int d)
    {
        if (!congelada_)
            return false;
        Sentido &s = sentido_[d];
        std::unique_lock<std::mutex> l(s.m);
        s.cv.wait(l, [&] { return s.cortado; });
        return true;
    }

    // Direction d reads fd_[d] and writes fd_[1-d].
    void leer(int d)
    {
        const int origen = fd_[d], destino = fd_[1 - d];
        std::vector<char> buf(64 * 1024);
        for (;;) {
            const ssize_t k = recv(origen, buf.data(), buf.size(), 0);
            if (k < 0 && errno == EINTR)
                continue;
            if (congelado(d))
                break; // with a delay the writer counts the direction, after its own wait
            if (retardo_.count() == 0) {
                if (k <= 0) {
                    shutdown(destino, SHUT_WR);
                    break;
                }
                if (!enviarTodo(destino, buf.data(), size_t(k))) {
                    cortar();
                    break;
                }
                continue;
            }
            Trozo t{Reloj::now() + retardo_, {}};
            if (k > 0)
                t.datos.assign(buf.data(), buf.data() + k);
            Sentido &s = sentido_[d];
            {
                std::lock_guard<std::mutex> l(s.m);
                s.cola.push_back(std::move(t));
            }
            s.cv.notify_one();
            if (k <= 0)
                return; // the writer closes and counts the direction
        }
        if (retardo_.count() == 0)
            ++sentidosCerrados_;
    }

    void escribir(int d)
    {
        prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
        const int destino = fd_[1 - d];
        Sentido &s = sentido_[d];
        for (;;) {
            Trozo t;
            {
                std::unique_lock<std::mutex> l(s.m);
                s.cv.wait(l, [&] { return !s.cola.empty() || s.cortado; });
                if (s.cola.empty())
                    break;
                t = std::move(s.cola.front());
                s.cola.pop_front();
            }
            esperarHasta(t.salida);
            if (congelado(d))
                break;
            anotarAtraso(t.salida);
            if (t.datos.empty()) {
                shutdown(destino, SHUT_WR);
                break;
            }
            if (!enviarTodo(destino, t.datos.data(), t.datos.size())) {
                cortar();
                break;
            }
        }
        ++sentidosCerrados_;
    }

    int fd_[2];
    std::chrono::microseconds retardo_;
    Sentido sentido_[2];
    std::vector<std::thread> hilos_;
    std::atomic<int> sentidosCerrados_{0};
    std::atomic<bool> congelada_{false};
};

int conectar(const std::string &host, const std::string &puerto)
{
    addrinfo pista{}, *lista = nullptr;
    pista.ai_family = AF_UNSPEC;
    pista.ai_socktype = SOCK_STREAM;
    if (getaddrinfo(host.c_str(), puerto.c_str(), &pista, &lista) != 0)
        return -1;
    int fd = -1;
    for (addrinfo *a = lista; a; a = a->ai_next) {
        fd = socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        if (connect(fd, a->ai_addr, a->ai_addrlen) == 0)
            break;
        close(fd);
        fd = -1;
    }
    freeaddrinfo(lista);
    return fd;
}

int uso()
{
    std::fprintf(stderr, "uso: repieps-proxy --escuchar PUERTO --destino HOST:PUERTO --retardo-us N\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    long escuchar = -1, retardo = -1;
    std::string destino;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc)
            return uso();
        const char *v = argv[++i];
        char *fin = nullptr;
        if (a == "--escuchar")
            escuchar = std::strtol(v, &fin, 10);
        else if (a == "--retardo-us")
            retardo = std::strtol(v, &fin, 10);
        else if (a == "--destino")
            destino = v;
        else {
            std::fprintf(stderr, "repieps-proxy: opción desconocida: %s\n", a.c_str());
            return uso();
        }
        if (fin && *fin) {
            std::fprintf(stderr, "repieps-proxy: «%s» no es un número\n", v);
            return 2;
        }
    }
    const auto dos = destino.rfind(':');
    if (escuchar < 0 || escuchar > 65535 || retardo < 0 || dos == std::string::npos || dos == 0)
        return uso();
    const std::string hostDestino = destino.substr(0, dos), puertoDestino = destino.substr(dos + 1);

    // Signals are taken by the main thread only, with sigwait.
    sigset_t senales;
    sigemptyset(&senales);
    sigaddset(&senales, SIGTERM);
    sigaddset(&senales, SIGINT);
    pthread_sigmask(SIG_BLOCK, &senales, nullptr);
    signal(SIGPIPE, SIG_IGN);

    const int oyente = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int uno = 1;
    setsockopt(oyente, SOL_SOCKET, SO_REUSEADDR, &uno, sizeof uno);
    sockaddr_in dir{};
    dir.sin_family = AF_INET;
    dir.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    dir.sin_port = htons(uint16_t(escuchar));
    if (bind(oyente, reinterpret_cast<sockaddr *>(&dir), sizeof dir) != 0 || listen(oyente, 64) != 0) {
        std::fprintf(stderr, "repieps-proxy: no se pudo escuchar en el puerto %ld: %s\n", escuchar, std::strerror(errno));
        return 1;
    }
    socklen_t largo = sizeof dir;
    getsockname(oyente, reinterpret_cast<sockaddr *>(&dir), &largo);
    std::printf("%u\n", unsigned(ntohs(dir.sin_port)));
    std::fflush(stdout);

    std::mutex m;
    std::list<std::unique_ptr<Conexion>> conexiones;
    std::atomic<bool> saliendo{false};
    std::thread aceptador([&] {
        for (;;) {
            const int cliente = accept4(oyente, nullptr, nullptr, SOCK_CLOEXEC);
            if (cliente < 0) {
                if (saliendo)
                    return;
                if (errno == EINTR || errno == ECONNABORTED || errno == EMFILE || errno == ENFILE)
                    continue;
                return;
            }
            const int servidor = conectar(hostDestino, puertoDestino);
            if (servidor < 0) {
                std::fprintf(stderr, "repieps-proxy: no se pudo conectar con %s\n", destino.c_str());
                close(cliente);
                continue;
            }
            sinRetraso(cliente);
            sinRetraso(servidor);
            std::lock_guard<std::mutex> l(m);
            // Finished connections are joined here, so that a long session does not pile them up.
            conexiones.remove_if([](const std::unique_ptr<Conexion> &c) { return c->terminada(); });
            conexiones.push_back(std::make_unique<Conexion>(cliente, servidor, std::chrono::microseconds(retardo)));
            if (saliendo)
                conexiones.back()->cortar();
            else
                conexiones.back()->iniciar();
        }
    });

    // Left blocked on its read when the proxy ends.
    std::thread([&] {
        char linea[64];
        while (std::fgets(linea, sizeof linea, stdin)) {
            if (std::strcmp(linea, "congelar\n") != 0)
                continue;
            std::lock_guard<std::mutex> l(m);
            for (auto &c : conexiones)
                c->congelar();
            std::printf("congelado\n");
            std::fflush(stdout);
        }
    }).detach();

    int senal = 0;
    sigwait(&senales, &senal);
    saliendo = true;
    shutdown(oyente, SHUT_RDWR);
    aceptador.join();
    close(oyente);
    {
        std::lock_guard<std::mutex> l(m);
        for (auto &c : conexiones)
            c->cortar();
        conexiones.clear();
    }
    if (retardo > 0 && trozosEnviados > 0)
        std::fprintf(stderr, "repieps-proxy: %llu trozos con %ld µs de retardo; atraso sobre el retardo: medio %.1f µs, "
                             "máximo %.1f µs\n",
                     trozosEnviados.load(), retardo, double(atrasoTotalNs) / 1e3 / double(trozosEnviados),
                     double(atrasoMaximoNs) / 1e3);
    return 0;
}
