// The control channel's UDP socket over BSD sockets (the native build). A handle is the
// descriptor plus one, so that 0 stays "no socket".
#include "intercept/ControlSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int fdOf(SocketHandle s) {
    return static_cast<int>(s) - 1;
}

} // namespace

SocketHandle bindUdpFromPort(int32_t firstPort, int32_t& boundPort) {
    for (int32_t port = firstPort; port <= 65535; ++port) {
        int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return 0;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_ANY);
        addr.sin_port = htons(static_cast<uint16_t>(port));
        if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            boundPort = port;
            return static_cast<SocketHandle>(fd) + 1;
        }
        ::close(fd);
    }
    return 0;
}

bool sendDatagram(SocketHandle s, const PeerInfo& peer, std::string_view bytes,
                  unsigned timeoutMs) {
    pollfd p{fdOf(s), POLLOUT, 0};
    if (::poll(&p, 1, static_cast<int>(timeoutMs)) <= 0 || !(p.revents & POLLOUT)) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(peer.port));
    if (::inet_pton(AF_INET, peer.ip.c_str(), &to.sin_addr) != 1) return false;
    return ::sendto(fdOf(s), bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&to),
                    sizeof to) == static_cast<ssize_t>(bytes.size());
}

bool receiveDatagram(SocketHandle s, size_t capacity, std::string& out) {
    pollfd p{fdOf(s), POLLIN, 0};
    if (::poll(&p, 1, -1) <= 0) return false;
    // With MSG_TRUNC a datagram's full length comes back even when it did not fit; Winsock
    // fails such a read with WSAEMSGSIZE.
    std::string buf(capacity, '\0');
    ssize_t n = ::recvfrom(fdOf(s), buf.data(), buf.size(), MSG_TRUNC, nullptr, nullptr);
    if (n <= 0 || static_cast<size_t>(n) > capacity) return false;
    buf.resize(static_cast<size_t>(n));
    out = std::move(buf);
    return true;
}

void closeSocket(SocketHandle s) {
    if (s != 0) ::close(fdOf(s));
}
