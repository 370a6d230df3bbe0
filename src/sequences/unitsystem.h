#pragma once

// The process-wide display unit system (line 9 of initial.txt).
namespace UnitSystem {
enum Value { CGS = 1, EI = 2, SI = 3 };
int current();
void set(int value);
}
