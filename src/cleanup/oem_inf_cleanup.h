// Removal of the copies of the family's INF files that Windows keeps in
// its INF directory as oem0.inf ... oem99.inf (with their .PNF companions).
#pragma once

#include <string>

#include "traces/removal_sink.h"

// Deletes the copies whose [Strings] TwainDsName names one of the
// family's TWAIN data sources (the .PNF files first), then removes
// windowsDir\LastGood\OvtCam when it is empty.
void RemoveOemInfs(const char* infDir, const char* windowsDir, RemovalSink& sink = TheMachine());

// Deletes the copies whose [Strings] 511plus value contains description.
void RemoveOemInfsByDescription(const char* infDir, const std::string& description,
                                RemovalSink& sink = TheMachine());
