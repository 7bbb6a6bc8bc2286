#pragma once

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
