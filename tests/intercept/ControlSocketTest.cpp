// The control channel's socket: the port search and one datagram each way on the loopback.
#include "intercept/ControlSocket.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>

#ifdef _WIN32
#include <winsock2.h>
#endif

namespace {

#ifdef _WIN32
// The program starts Winsock once (version 1.0) before its client binds; so does this test.
class WinsockEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        WSADATA data;
        ASSERT_EQ(WSAStartup(MAKEWORD(1, 0), &data), 0);
    }
    void TearDown() override { WSACleanup(); }
};
::testing::Environment* const winsock = ::testing::AddGlobalTestEnvironment(new WinsockEnvironment);
#endif

// Closes a seam socket at the end of a scope.
struct Bound {
    SocketHandle socket = 0;
    int32_t port = 0;
    explicit Bound(int32_t firstPort) { socket = bindUdpFromPort(firstPort, port); }
    ~Bound() { closeSocket(socket); }
    Bound(const Bound&) = delete;
    Bound& operator=(const Bound&) = delete;
};

// Far from the control ports 2006 and 6002, which other test programs use.
constexpr int32_t searchFrom = 47000;

TEST(ControlSocket, BindSkipsTakenPorts) {
    Bound first(searchFrom);
    ASSERT_NE(first.socket, 0u);
    ASSERT_GE(first.port, searchFrom);
    Bound second(first.port);
    ASSERT_NE(second.socket, 0u);
    EXPECT_GT(second.port, first.port);
    Bound third(second.port); // second's port really is bound, on all addresses
    ASSERT_NE(third.socket, 0u);
    EXPECT_GT(third.port, second.port);
}

TEST(ControlSocket, ReceiveTakesWholeDatagramsUpToTheBuffer) {
    constexpr size_t capacity = 20480;
    struct Row {
        std::string sent;
        bool received;
    };
    // clang-format off
    const Row rows[] = {
        {"act[exit]", true},
        {std::string(capacity, 'x'), true},
        {std::string(capacity + 1, 'y'), false},    // would not fit: rejected, not cut
        {"", false},                                // an empty datagram is no report
        {std::string("a\0b", 3), true},             // bytes after a NUL still arrive
    };
    // clang-format on
    Bound receiver(searchFrom);
    Bound sender(receiver.port + 1);
    ASSERT_NE(receiver.socket, 0u);
    ASSERT_NE(sender.socket, 0u);
    const PeerInfo to{"127.0.0.1", receiver.port};
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(sendDatagram(sender.socket, to, rows[i].sent, 1000));
        std::string out = "unchanged";
        EXPECT_EQ(receiveDatagram(receiver.socket, capacity, out), rows[i].received);
        EXPECT_EQ(out, rows[i].received ? rows[i].sent : "unchanged");
    }
}

} // namespace
