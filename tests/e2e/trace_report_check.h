// The trace report as the scenarios read it: its sections' items, and how
// they compare with what a removal then changed on the machine.
#pragma once

#include <string>
#include <vector>

// One item line of the trace report: "  kind  path  (detail)".
struct ReportItem {
    std::string kind;
    std::string path;
    std::string detail;
};

// The items under the report heading that starts with `heading`.
std::vector<ReportItem> ReportSection(const std::string& report, const std::string& heading);

// An item as one line: "kind path (detail)".
std::string Line(const ReportItem& item);

// A change the report does not list on purpose, and why.
struct ReportDifference {
    const char* change;
    const char* reason;
};

// Every disagreement between the items and the machine's changes (lines of
// MachineSnapshot::ChangesSince): changes no item or listed difference
// explains (Wine's own bookkeeping aside), items nothing took, differences
// not seen. "" when they agree.
std::string ReportMismatches(const std::vector<ReportItem>& items, const std::vector<std::string>& changes,
                             const std::vector<ReportDifference>& differences);

// program /traces=FILE, run to its end; the report it wrote ("" and a
// failure when it wrote none).
std::string RunTraceReport(const std::string& program, const std::string& file);
