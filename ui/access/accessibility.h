#pragma once

// What the program gives screen readers, put in place once the application
// object exists and before the first widget is made: Qt keeps the first
// interface made for a widget.
namespace Accessibility {
void install();
}
