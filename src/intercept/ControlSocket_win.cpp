// The control channel's UDP socket over Winsock.
#include "intercept/ControlSocket.h"

#include <winsock2.h>

SocketHandle bindUdpFromPort(int32_t firstPort, int32_t& boundPort) {
    for (int32_t port = firstPort; port <= 65535; ++port) {
        SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        if (s == INVALID_SOCKET) return 0;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_ANY);
        addr.sin_port = htons(static_cast<u_short>(port));
        if (::bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
            boundPort = port;
            return static_cast<SocketHandle>(s);
        }
        ::closesocket(s);
    }
    return 0;
}

bool sendDatagram(SocketHandle handle, const PeerInfo& peer, std::string_view bytes,
                  unsigned timeoutMs) {
    SOCKET s = static_cast<SOCKET>(handle);
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(s, &writable);
    timeval tv{static_cast<long>(timeoutMs / 1000), static_cast<long>(timeoutMs % 1000) * 1000};
    if (::select(0, nullptr, &writable, nullptr, &tv) <= 0) return false;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(peer.port));
    to.sin_addr.s_addr = ::inet_addr(peer.ip.c_str());
    int n = ::sendto(s, bytes.data(), static_cast<int>(bytes.size()), 0,
                     reinterpret_cast<sockaddr*>(&to), sizeof to);
    return n == static_cast<int>(bytes.size());
}

bool receiveDatagram(SocketHandle handle, size_t capacity, std::string& out) {
    SOCKET s = static_cast<SOCKET>(handle);
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    if (::select(0, &readable, nullptr, nullptr, nullptr) <= 0) return false;
    std::string buf(capacity, '\0');
    // A datagram longer than the buffer fails with WSAEMSGSIZE.
    int n = ::recvfrom(s, buf.data(), static_cast<int>(capacity), 0, nullptr, nullptr);
    if (n <= 0) return false;
    buf.resize(static_cast<size_t>(n));
    out = std::move(buf);
    return true;
}

void closeSocket(SocketHandle handle) {
    if (handle != 0) ::closesocket(static_cast<SOCKET>(handle));
}
