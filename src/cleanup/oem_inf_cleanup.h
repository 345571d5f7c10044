// Removal of the copies of INF files that Windows keeps in its INF
// directory as oem0.inf ... oem99.inf (with their .PNF companions): one
// walk over the numbers, recognising a copy by a value of its [Strings]
// section, for both programs' own rules.
#pragma once

#include <string>

#include "cleanup/removal_rows.h"
#include "traces/removal_sink.h"

// Which of a recognised copy's two files go, in that order.
enum class OemFiles { Inf, Pnf, InfThenPnf };

// One walk over oem0 ... oem99 (never higher numbers).
struct OemCopyRule {
    const char* szFolder;  // the INF folder; nothing is done for an empty one
    const char* szInf;     // the names after "oemN": ".inf" or ".INF" ...
    const char* szPnf;
    const char* szKey;     // the [Strings] key read, as a profile file
    // Whether the value marks the copy as one to remove: the text the log and
    // the report name it by, or "" for a copy that stays.
    std::string (*pfnMatch)(const char* value, const void* data, OemFiles files);
    const void* pData;     // what pfnMatch matches against
    OemFiles files;
    FileDeletion deletion;
    bool bDrainQueue;      // the queue is drained after each copy that goes
};
void RemoveOemCopies(const OemCopyRule& rule, RemovalSink& sink);

// setup's rules. Deletes the copies whose [Strings] TwainDsName names one
// of the family's TWAIN data sources (the .PNF files first), then removes
// windowsDir\LastGood\OvtCam when it is empty.
void RemoveOemInfs(const char* infDir, const char* windowsDir, RemovalSink& sink = TheMachine());

// Deletes the copies whose [Strings] 511plus value contains description.
void RemoveOemInfsByDescription(const char* infDir, const std::string& description,
                                RemovalSink& sink = TheMachine());
