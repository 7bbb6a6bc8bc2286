#pragma once

// The mouse pointer shown over the whole program.
namespace ScreenPointer {

enum class Shape { Default, Hourglass };

void set(Shape shape);

} // namespace ScreenPointer
