#pragma once

class GeneratorView;

// The nick length in its box, moved one step at a time between 2 and 10.
// A step past either bound is refused with a message; a step onto a bound
// is silent.
class NickLength
{
public:
    explicit NickLength(GeneratorView &panel);

    void up();
    void down();

private:
    GeneratorView &m_panel;
};
