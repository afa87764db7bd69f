// The system's end of the link to the interceptor: process, registry, control channel,
// and the report and reply formats.
#pragma once

#include "intercept/PacketReport.h"
#include "text/Text.h"

#include <cstdint>
#include <string_view>
#include <vector>

// An address on the control channel.
struct PeerInfo {
    Text ip;
    int32_t port = 0;
};

class InterceptClient {
  public:
    // Reply files go to the folder "data" in the program directory.
    InterceptClient();
    // Reply files go to `replyFolder` (tools and tests).
    explicit InterceptClient(Text replyFolder);

    ~InterceptClient();
    // A copy has its own peer address and proxy port but no socket: only the client that
    // bound the socket sends on it and closes it, exactly once.
    InterceptClient(const InterceptClient& other);
    InterceptClient& operator=(const InterceptClient&) = delete;

    // Publishes the window handle, restarts the interceptor, binds the control socket and
    // sends the start command. False when "fd.exe" is missing beside the program, when no
    // socket could be bound (no port from 6002 up binds, or no socket can be created; the
    // client then keeps no socket), or when the start command was not sent.
    bool init(int32_t windowHandle, int32_t proxyPort, const std::vector<Text>& pidFilters,
              const std::vector<Text>& urlFilters, int64_t size);
    // Sends "act[exit]"; nothing without a socket.
    void exit();
    // Sends "act[huifu]port[proxyPort]"; nothing without a socket.
    void restore();
    // Splits a report text into its fields. Never fails.
    PacketReport parse(std::string_view report) const;
    // The same fields as parse gives, as views into `report`.
    PacketReportFields parseFields(std::string_view report) const;
    // Waits for one report datagram on the control socket and reads seven of its fields.
    bool receive(Text& num, Text& type, Text& url, Text& html, Text& post, Text& cookie,
                 Text& header);
    // Writes the reply file for `report`. Reports nothing: a missing folder, a held file or
    // an unsafe `num` (see isSafeReplyName) leaves no file.
    void reply(const PacketReport& report, bool modify) const;

    // Read-only views for tests.
    const PeerInfo& peerInfo() const { return peer; }
    int32_t storedProxyPort() const { return proxyPort; }
    bool hasSocket() const { return udpSocket != 0; }

  private:
    static Text textBetween(std::string_view subject, std::string_view startMarker,
                            std::string_view endMarker, int32_t startPos, bool ignoreCase);
    bool sendCommand(std::string_view command, unsigned timeoutMs);

    std::uintptr_t udpSocket = 0; // 0: none
    PeerInfo peer;
    int32_t proxyPort = 0;
    Text replyFolder;
};
