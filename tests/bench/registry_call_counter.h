// Counts the registry calls the program's own code makes, by routing the
// program's imports of the registry functions through counting wrappers.
// System libraries calling the registry for themselves are not counted.
#pragma once

// Patches the import table of the running program once; false when a
// registry function it imports could not be routed.
bool StartCountingRegistryCalls();

unsigned long RegistryCallCount();
void ResetRegistryCallCount();
