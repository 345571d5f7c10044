// Scans that find the registry traces of the product family's devices
// under whatever instance number, vendor key or class slot Windows gave
// them, and the instance steps of the removal pass. Every path is under
// HKEY_LOCAL_MACHINE; nothing is reported. Every read and deletion goes
// through the sink.
#pragma once

#include <windows.h>

#include <string>

#include "traces/removal_sink.h"

// The seven scans, each one pass over its fixed index range.
void PurgeUsbEnumKeys(RemovalSink& sink = TheMachine());
void PurgeRootImageStill(RemovalSink& sink = TheMachine());
void PurgeImageClassByDesc(RemovalSink& sink = TheMachine());
void PurgeControlSetUsbKeys(RemovalSink& sink = TheMachine());
void PurgeStillImageKeys(RemovalSink& sink = TheMachine());
void PurgeOvtServices(RemovalSink& sink = TheMachine());
void PurgeImageClassInstances(RemovalSink& sink = TheMachine());

// The seven scans in their order, once.
void RunDeviceScans(RemovalSink& sink = TheMachine());

// Instance steps.
void DeleteMediaClassKey(RemovalSink& sink = TheMachine());
// For the NT layout only; the caller checks the OS flag.
void UnlockAndDeleteUsbInstances(RemovalSink& sink = TheMachine());
void PurgeVfwWdmClassKeys(RemovalSink& sink = TheMachine());
// Deletes `below` (a path under a control set, "Services\\OMSCAN") with
// its subtree in ControlSet001, ControlSet002 and CurrentControlSet.
void DeleteTreeInEachControlSet(const std::string& below, RemovalSink& sink = TheMachine());
// The image-class instances 0000-0009 that carry the registration's marker,
// each with its subtree (its DeviceData and Events keys): no one-key
// delete removes them on 2000/XP.
void PurgeMarkedImageClassInstances(RemovalSink& sink = TheMachine());

// The image-class slots of the NT layout (Control\Class\{6BDD1FC6-...}\000n
// of ControlSet001) for which belongs says yes, judged and deleted with
// their subtrees in each of the three control sets on its own.
void PurgeImageClassSlots(bool (*belongs)(const SinkKey& instance), RemovalSink& sink = TheMachine());
// Only the product's own slots: DRVSWEEP's removal.
void PurgeProductImageClassSlots(RemovalSink& sink = TheMachine());

// Whether an image-class slot is the product's own: Plug and Play's slot
// for the camera itself (its USB IDs, or one of its device descriptions).
bool IsProductImageClassInstance(const SinkKey& instance);
// Whether an image-class slot belongs to the product family, the product
// included (and so may be deleted by PurgeImageClassInstances).
bool IsFamilyImageClassInstance(const SinkKey& instance);
