#pragma once

#include "core/randomsource.h"

#include <cstdint>
#include <functional>

// The random source the program draws from: a generator whose reseed mixes
// the steady clock's reading into its state.
class ClockRandom final : public RandomSource
{
public:
    using Clock = std::function<std::uint64_t()>;

    // The default clock is the steady clock in nanoseconds.
    ClockRandom();
    explicit ClockRandom(Clock clock, std::uint64_t initialState = 0x853c49e6748fea9bULL);

    void reseedFromClock() override;
    double next() override;

private:
    Clock m_clock;
    std::uint64_t m_state;
};
