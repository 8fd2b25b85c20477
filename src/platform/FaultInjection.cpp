#include "platform/FaultInjection.h"

#include "platform/LastError.h"

#include <array>
#include <atomic>

namespace platform::fault {

namespace {

constexpr int kOperationCount = static_cast<int>(Operation::RunProgram) + 1;

struct Slot {
    std::atomic<int> callsLeft{0};
    std::atomic<int> errnoValue{0};
};

std::atomic<bool> anyArmed{false};
std::array<Slot, kOperationCount> slots;

// Counts one call down and tells whether it is the armed one. The count stops at zero so
// that the operation keeps succeeding afterwards however often it is called.
bool CountDown(Slot &slot)
{
    int left = slot.callsLeft.load(std::memory_order_acquire);
    while (left > 0) {
        if (slot.callsLeft.compare_exchange_weak(left, left - 1, std::memory_order_acq_rel))
            return left == 1;
    }
    return false;
}

} // namespace

void Arm(Operation operation, int nthCall, int errnoValue)
{
    Slot &slot = slots[static_cast<int>(operation)];
    slot.errnoValue.store(errnoValue, std::memory_order_relaxed);
    slot.callsLeft.store(nthCall > 0 ? nthCall : 0, std::memory_order_release);
    anyArmed.store(true, std::memory_order_release);
}

void Disarm()
{
    anyArmed.store(false, std::memory_order_release);
    for (Slot &slot : slots)
        slot.callsLeft.store(0, std::memory_order_release);
}

bool AnyArmed()
{
    return anyArmed.load(std::memory_order_acquire);
}

bool Fails(Operation operation)
{
    if (!anyArmed.load(std::memory_order_relaxed))
        return false;
    Slot &slot = slots[static_cast<int>(operation)];
    if (!CountDown(slot))
        return false;
    SetLastError(slot.errnoValue.load(std::memory_order_relaxed));
    return true;
}

} // namespace platform::fault
