// Blocking variant: transfers, their line-error flags, queue clearing and CharSent.
#include "serial/blocking_state.h"
#include "serial/line_rules.h"

namespace zudedize::blocking {

namespace {

// A transfer call failed: collect and clear the device's line errors, so that transfers
// work again, and keep the three the loader asks about.
void NoteLineErrors(SerialDevice& device)
{
    std::uint32_t errors = 0;
    device.CollectLineErrors(errors);
    LineErrorFlags& flags = Library().line_errors;
    flags.overrun = (errors & kLineErrorOverrun) != 0;
    flags.parity = (errors & kLineErrorParity) != 0;
    flags.framing = (errors & kLineErrorFrame) != 0;
}

}  // namespace

std::int32_t WriteByte(std::uint8_t value)
{
    return WriteBytes(&value, 1);
}

std::int32_t WriteBytes(const std::uint8_t* buffer, std::uint8_t count)
{
    Library().line_errors = {};
    SerialDevice* device = CurrentDevice();
    if (device == nullptr) return 0;
    if (count == 0) return 1;
    if (buffer == nullptr) return 0;
    const Transfer transfer = device->Write(buffer, count, nullptr);
    if (transfer.status == TransferStatus::Failed) NoteLineErrors(*device);
    return transfer.status == TransferStatus::Done ? 1 : 0;
}

std::int32_t ReadByte(std::uint8_t& value)
{
    Library().line_errors = {};
    SerialDevice* device = CurrentDevice();
    if (device == nullptr) return 0;
    std::uint8_t byte = 0;
    const Transfer transfer = device->Read(&byte, 1, nullptr);
    if (transfer.status == TransferStatus::Failed) NoteLineErrors(*device);
    if (transfer.status != TransferStatus::Done) return 0;
    value = byte;
    return 1;
}

LineErrorFlags LineErrors()
{
    return Library().line_errors;
}

bool CharSent()
{
    SerialDevice* device = CurrentDevice();
    if (device == nullptr || !device->Drain()) return false;
    Pause(CharSentWaitMs(CurrentSlot().baud_rate));
    return true;
}

std::int32_t ClearPort()
{
    SerialDevice* device = CurrentDevice();
    if (device == nullptr) return kResultSlotNotOpen;
    if (const std::int32_t e = device->Purge(PurgeQueues::Output)) return e;
    return device->Purge(PurgeQueues::Input);
}

}  // namespace zudedize::blocking
