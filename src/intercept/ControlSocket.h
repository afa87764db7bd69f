// The platform's UDP socket for the control channel (Winsock on Windows, BSD sockets
// natively). The socket library itself is started by the program, not here.
#pragma once

#include "intercept/InterceptClient.h"

#include <cstdint>
#include <string>
#include <string_view>

// 0 is "no socket" on every platform.
using SocketHandle = std::uintptr_t;

// Creates an IPv4 UDP socket bound to 0.0.0.0 and the first free port from `firstPort` up
// to 65535. Returns 0 when none binds (or no socket can be created); `boundPort` gets the
// port otherwise.
SocketHandle bindUdpFromPort(int32_t firstPort, int32_t& boundPort);

// Waits at most `timeoutMs` until the socket can be written, then sends `bytes` as one
// datagram to `peer`. True when the platform accepted the datagram.
bool sendDatagram(SocketHandle socket, const PeerInfo& peer, std::string_view bytes,
                  unsigned timeoutMs);

// Waits without limit for one datagram of at most `capacity` bytes. False on failure, on
// an empty datagram and on one longer than `capacity`.
bool receiveDatagram(SocketHandle socket, size_t capacity, std::string& out);

void closeSocket(SocketHandle socket);
