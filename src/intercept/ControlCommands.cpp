// Builds the control commands byte for byte; numbers in plain signed decimal.
#include "intercept/ControlCommands.h"

#include <string>

Text joinTexts(const std::vector<Text>& items) {
    Text out;
    for (const Text& item : items) {
        out += item;
        out += ',';
    }
    return out;
}

Text startCommand(int32_t proxyPort, const std::vector<Text>& urlFilters,
                  const std::vector<Text>& pidFilters, int64_t size, int32_t localPort) {
    return "act[csh]port[" + std::to_string(proxyPort) + "]arr_url[" + joinTexts(urlFilters) +
           "]arr_pid[" + joinTexts(pidFilters) + "]size[" + std::to_string(size) + "]bd[" +
           std::to_string(localPort) + "]";
}

Text exitCommand() {
    return "act[exit]";
}

Text restoreCommand(int32_t proxyPort) {
    return "act[huifu]port[" + std::to_string(proxyPort) + "]";
}
