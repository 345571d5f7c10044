// Scans that find the registry traces of the product family's devices
// under whatever instance number, vendor key or class slot Windows gave
// them, and the instance steps of the removal pass. Every path is under
// HKEY_LOCAL_MACHINE; nothing is reported.
#pragma once

#include <windows.h>

// The seven scans, each one pass over its fixed index range.
void PurgeUsbEnumKeys();
void PurgeRootImageStill();
void PurgeImageClassByDesc();
void PurgeControlSetUsbKeys();
void PurgeStillImageKeys();
void PurgeOvtServices();
void PurgeImageClassInstances();

// The seven scans in their order, once.
void RunDeviceScans();

// Instance steps.
void DeleteMediaClassKey();
// For the NT layout only; the caller checks the OS flag.
void UnlockAndDeleteUsbInstances();
void PurgeVfwWdmClassKeys();

// Whether an image-class instance key belongs to the product family (and
// so may be deleted by PurgeImageClassInstances).
bool IsFamilyImageClassInstance(HKEY instance);
