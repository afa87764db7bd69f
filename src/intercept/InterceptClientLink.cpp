// InterceptClient's link side: starting the interceptor and the control commands.
#include "intercept/ControlCommands.h"
#include "intercept/ControlSocket.h"
#include "intercept/InterceptClient.h"
#include "intercept/InterceptorProcess.h"
#include "text/ProgramDirectory.h"

#include <string>

namespace {

constexpr const char* interceptorFile = "fd.exe";
constexpr const char* endInterceptorsCommand = "cmd /c taskkill /F /IM fd.exe";
constexpr unsigned readyWaitMs = 1000;
constexpr unsigned startWaitMs = 2000;
constexpr int32_t firstLocalPort = 6002;
constexpr const char* controlIp = "127.0.0.1";
constexpr int32_t controlPort = 2006;
constexpr unsigned startSendTimeoutMs = 1000;
constexpr unsigned shortSendTimeoutMs = 500;
constexpr size_t receiveBufferSize = 20480;

} // namespace

InterceptClient::~InterceptClient() {
    closeSocket(udpSocket);
}

// udpSocket stays none: sharing it would let the copy send on, or outlive, a socket that
// the original closes.
InterceptClient::InterceptClient(const InterceptClient& other)
    : peer(other.peer), proxyPort(other.proxyPort), replyFolder(other.replyFolder) {}

bool InterceptClient::init(int32_t windowHandle, int32_t proxy, const std::vector<Text>& pidFilters,
                           const std::vector<Text>& urlFilters, int64_t size) {
    publishWindowHandle(std::to_string(windowHandle));
    if (!pathEntryExists(programDirectory() + pathSeparator + interceptorFile)) return false;
    runHiddenAndWait(endInterceptorsCommand);
    startDetached(interceptorFile, readyWaitMs);
    dispatchMessagesFor(startWaitMs);

    int32_t localPort = 0;
    SocketHandle s = bindUdpFromPort(firstLocalPort, localPort);
    if (s == 0) return false;
    closeSocket(udpSocket); // a second init replaces the first one's socket
    udpSocket = s;
    peer.ip = controlIp;
    peer.port = controlPort;
    proxyPort = proxy;
    return sendCommand(startCommand(proxyPort, urlFilters, pidFilters, size, localPort),
                       startSendTimeoutMs);
}

bool InterceptClient::sendCommand(std::string_view command, unsigned timeoutMs) {
    if (udpSocket == 0) return false;
    return sendDatagram(udpSocket, peer, command, timeoutMs);
}

void InterceptClient::exit() {
    sendCommand(exitCommand(), shortSendTimeoutMs);
}

void InterceptClient::restore() {
    sendCommand(restoreCommand(proxyPort), shortSendTimeoutMs);
}

bool InterceptClient::receive(Text& num, Text& type, Text& url, Text& html, Text& post,
                              Text& cookie, Text& header) {
    if (udpSocket == 0) return false;
    std::string datagram;
    if (!receiveDatagram(udpSocket, receiveBufferSize, datagram)) return false;
    std::string_view report(datagram);
    report = report.substr(0, report.find('\0'));
    num = textBetween(report, "num{|", "|}", 0, false);
    type = textBetween(report, "type{|", "|}", 0, false);
    url = textBetween(report, "url{|", "|}", 0, false);
    html = textBetween(report, "html{|", "|}", 0, false);
    cookie = textBetween(report, "cookie{|", "|}", 0, false);
    post = textBetween(report, "post{|", "|}", 0, false);
    header = textBetween(report, "header{|", "|}", 0, false);
    return true;
}
