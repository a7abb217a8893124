#include "link/Protocol.h"

#include <array>

namespace calvetta {

std::string_view ParamName(std::uint8_t id) {
    static constexpr std::array<std::string_view, 21> names = {"",
                                                               "SystemReset",
                                                               "SourceSelect",
                                                               "InputSelect",
                                                               "SpeakerLayout",
                                                               "AudioFormat",
                                                               "SubwooferMode",
                                                               "ListeningMode",
                                                               "MuteState",
                                                               "MasterVolume",
                                                               "DynamicMode",
                                                               "TestTone",
                                                               "SpeakerConfig",
                                                               "Crossover",
                                                               "PeqBand",
                                                               "EqActive",
                                                               "ChannelTrim",
                                                               "ChannelDelay",
                                                               "ChannelPhase",
                                                               "EqPresetSlot",
                                                               "RemoteKey"};
    return id < names.size() ? names[id] : std::string_view{};
}

}  // namespace calvetta
