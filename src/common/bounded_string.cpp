#include "common/bounded_string.h"

bool JoinPath(const char* dir, const char* name, char (&out)[kPathChars]) {
    PathString path(dir);
    path.AppendName(name);
    return path.CopyTo(out);
}
