#include "unitsystem.h"
#include <atomic>

namespace {
std::atomic<int> g_unitSystem{UnitSystem::CGS};
}

int UnitSystem::current() { return g_unitSystem.load(); }
void UnitSystem::set(int value) { g_unitSystem.store(value); }
