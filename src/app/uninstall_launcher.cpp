#include "app/uninstall_launcher.h"

#include "common/file_copy.h"
#include "common/product_profile.h"
#include "common/text_format.h"
#include "framework/resource_text.h"
#include "resources/setup/resource.h"

bool ConfirmUninstall() {
    const std::string text = FormatText(LoadResString(IDS_CONFIRM_UNINSTALL),
                                        {g_Product.szProductName, g_Product.szProductName});
    const std::string caption = LoadResString(IDS_CONFIRM_CAPTION);
    return MessageBoxA(nullptr, text.c_str(), caption.c_str(),
                       MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

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
