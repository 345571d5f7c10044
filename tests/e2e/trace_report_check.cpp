#include "trace_report_check.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "machine_snapshot.h"
#include "temp_tree.h"
#include "ui_driver.h"

namespace {

constexpr std::size_t kKindColumn = 18;

// The snapshot change an item stands for; a pattern ending in "*" takes
// everything below.
std::string ChangeOf(const ReportItem& item) {
    const std::string path = Lower(item.path);
    if (item.kind == "file" || item.kind == "OEM INF copy") return "- " + path;
    if (item.kind == "directory") return "- " + path + "\\";
    if (item.kind == "profile entry") return "~ " + path;
    if (item.kind == "registry value") {
        const std::string name = item.detail.substr(item.detail.find('"') + 1);
        return "- " + path + "\\:" + Lower(name.substr(0, name.size() - 1));
    }
    return "- " + path + "\\*";  // keys, subtrees, device instances, the program group's folder
}

}  // namespace


std::vector<ReportItem> ReportSection(const std::string& report, const std::string& heading) {
    std::vector<ReportItem> items;
    bool inside = false;
    std::size_t start = 0;
    for (std::size_t end; (end = report.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = report.substr(start, end - start);
        if (line.rfind("== ", 0) == 0) inside = line.rfind("== " + heading, 0) == 0;
        if (!inside || line.rfind("  ", 0) != 0 || line.size() < 2 + kKindColumn) continue;
        ReportItem item;
        item.kind = line.substr(2, kKindColumn);
        item.kind.erase(item.kind.find_last_not_of(' ') + 1);
        item.path = line.substr(2 + kKindColumn);
        const std::size_t detail = item.path.rfind("  (");
        if (detail != std::string::npos && item.path.back() == ')') {
            item.detail = item.path.substr(detail + 3, item.path.size() - detail - 4);
            item.path.resize(detail);
        }
        items.push_back(item);
    }
    return items;
}

std::string Line(const ReportItem& item) {
    return item.kind + " " + item.path + (item.detail.empty() ? "" : " (" + item.detail + ")");
}



std::string ReportMismatches(const std::vector<ReportItem>& items, const std::vector<std::string>& changes,
                             const std::vector<ReportDifference>& differences) {
    std::vector<bool> itemSeen(items.size(), false);
    std::vector<bool> differenceSeen(differences.size(), false);
    std::string unexplained;
    for (const std::string& change : changes) {
        bool listed = false;
        for (std::size_t n = 0; n < items.size(); ++n) {
            if (ChangeMatches(change, ChangeOf(items[n]))) listed = itemSeen[n] = true;
        }
        for (std::size_t n = 0; n < differences.size(); ++n) {
            if (ChangeMatches(change, differences[n].change)) listed = differenceSeen[n] = true;
        }
        if (!listed && !IsWineNoise(change)) unexplained += "\n  " + change;
    }
    std::string text;
    if (!unexplained.empty()) text += "taken by the removal, not in the report:" + unexplained + "\n";
    for (std::size_t n = 0; n < items.size(); ++n) {
        if (!itemSeen[n]) text += "reported, not taken: " + Line(items[n]) + "\n";
    }
    for (std::size_t n = 0; n < differences.size(); ++n) {
        if (!differenceSeen[n]) text += std::string("listed difference not seen: ") + differences[n].change + "\n";
    }
    return text;
}

std::string RunTraceReport(const std::string& program, const std::string& file) {
    DeleteFileA(file.c_str());
    ChildProcess report;
    EXPECT_TRUE(report.Start("\"" + program + "\" /traces=\"" + file + "\""));
    EXPECT_TRUE(report.WaitForExit(60000)) << DescribeVisibleWindows();
    EXPECT_EQ(0u, report.ExitCode());
    std::string text;
    EXPECT_TRUE(ReadFileBytes(file, text)) << file;
    return text;
}
