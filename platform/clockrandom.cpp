#include "platform/clockrandom.h"

#include <chrono>
#include <random>

namespace {

// SplitMix64: a full-period 64-bit generator whose output function is a good
// mixer on its own, which is what the reseed needs.
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

std::uint64_t steadyNanoseconds()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

} // namespace

ClockRandom::ClockRandom()
    : ClockRandom(steadyNanoseconds, std::random_device{}() | (std::uint64_t(std::random_device{}()) << 32))
{
}

ClockRandom::ClockRandom(Clock clock, std::uint64_t initialState)
    : m_clock(std::move(clock)), m_state(initialState)
{
}

void ClockRandom::reseedFromClock()
{
    // The old state goes into the new one, so equal readings still move on.
    m_state = mix(m_state ^ mix(m_clock()));
}

double ClockRandom::next()
{
    m_state += 0x9e3779b97f4a7c15ULL;
    // 53 random bits give every double in [0, 1) on a 2^-53 grid.
    return double(mix(m_state) >> 11) * 0x1.0p-53;
}
