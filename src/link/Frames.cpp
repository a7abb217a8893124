#include "link/Frames.h"

#include <cstddef>

namespace calvetta {

namespace {

// Count, operation and id: the first three bytes of every shape.
void FillHead(SendBuffer& SendBuf, std::uint8_t count, std::uint8_t op, ParamId id) {
    SendBuf[0] = count;
    SendBuf[1] = op;
    SendBuf[2] = Id(id);
}

}  // namespace

void FillSet(SendBuffer& SendBuf, ParamId id, std::uint8_t value) {
    FillHead(SendBuf, 3, OpSet, id);
    SendBuf[3] = value;
}

void FillChannelSet(SendBuffer& SendBuf, ParamId id, std::uint8_t channel, std::uint8_t value) {
    FillHead(SendBuf, 4, OpSet, id);
    SendBuf[3] = channel;
    SendBuf[4] = value;
}

void FillGroupSet(SendBuffer& SendBuf, ParamId id, const GroupValues& groups) {
    FillHead(SendBuf, 6, OpSet, id);
    for (std::size_t k = 0; k < groups.size(); ++k) {
        if (groups[k]) SendBuf[3 + k] = *groups[k];
    }
}

void FillTestTone(SendBuffer& SendBuf, std::uint8_t on, std::optional<std::uint8_t> automatic,
                  std::optional<std::uint8_t> channel) {
    FillHead(SendBuf, 5, OpSet, ParamId::TestTone);
    SendBuf[3] = on;
    if (automatic) SendBuf[4] = *automatic;
    if (channel) SendBuf[5] = *channel;
}

void FillSystemReset(SendBuffer& SendBuf) {
    FillSet(SendBuf, ParamId::SystemReset, 1);
}

void FillPeqBand(SendBuffer& SendBuf, int channel, int band, int gainStep, int freqIndex,
                 int bandwidthTenths) {
    FillHead(SendBuf, 7, OpSet, ParamId::PeqBand);
    SendBuf[3] = static_cast<std::uint8_t>(channel);
    SendBuf[4] = static_cast<std::uint8_t>(band);
    SendBuf[5] = static_cast<std::uint8_t>(gainStep);
    SendBuf[6] = static_cast<std::uint8_t>(freqIndex);
    SendBuf[7] = static_cast<std::uint8_t>(bandwidthTenths);
}

void FillQuery(SendBuffer& SendBuf, ParamId id) {
    FillHead(SendBuf, 2, OpQuery, id);
}

void FillChannelQuery(SendBuffer& SendBuf, ParamId id, std::uint8_t channel) {
    FillHead(SendBuf, 3, OpQuery, id);
    SendBuf[3] = channel;
}

}  // namespace calvetta
