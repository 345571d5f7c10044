#include "common/product_run.h"

ProductRun::ProductRun(int bNtPaths, const char* programDir) : m_bNtPaths(bNtPaths) {
    if (!BoundedString<kPathChars>(programDir != nullptr ? programDir : "").CopyTo(m_szProgramDir)) {
        m_szProgramDir[0] = '\0';
    }
    ReadSystemFolders(m_szWindowsDir, m_szSystemDir, m_szDriversDir, m_szInfDir);
}
