#include "app/uninstall_launcher.h"

#include "common/file_copy.h"
#include "common/product_profile.h"
#include "resources/setup/resource.h"
#include "wizard/confirm_removal.h"

bool ConfirmUninstall() { return ConfirmRemoval(IDS_CONFIRM_UNINSTALL, IDS_CONFIRM_CAPTION); }

bool BuildRelocatedCommandLine(const char* windowsDir, const char* programDir,
                               BoundedString<kPathChars * 2>& out) {
    out.Append(windowsDir).Append("\\uninstal ").Append(programDir);
    return out.ok();
}

LauncherOutcome RelocateUninstaller(const LauncherContext& context) {
    const LauncherOutcome ending =
        context.bNtPaths == 0 ? LauncherOutcome::EndProcess : LauncherOutcome::ContinueUninstall;

    char target[kPathChars];
    if (!JoinPath(context.szWindowsDir, g_Product.szUninstallFile, target)) return ending;

    switch (CopyWholeFile(context.szSourceFile, target)) {
    case CopyResult::SourceMissing:
        return context.bNtPaths == 0 ? LauncherOutcome::EndProcess : LauncherOutcome::ContinueInstall;
    case CopyResult::TargetFailed:
        return ending;
    case CopyResult::Copied:
        break;
    }

    BoundedString<kPathChars * 2> commandLine;
    if (BuildRelocatedCommandLine(context.szWindowsDir, context.szProgramDir, commandLine)) {
        WinExec(commandLine.c_str(), SW_HIDE);
    }
    return ending;
}
