#pragma once

#include <cstdint>
#include <functional>

// The random numbers behind the letter draws. The draws reseed before every
// slot, so the reseed must mix the clock into the state rather than replace
// it: ten reseeds within one clock tick must not restart one sequence.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void reseedFromClock() = 0;
    // Uniform in [0, 1).
    virtual double next() = 0;
};

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
