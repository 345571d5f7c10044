// Read first by every file of the programs, before the C++ library's own
// headers. The library's checks (a string made from a null pointer, a
// length past its maximum) end the program: framework/lean_runtime.cpp
// turns each of its throws into abort(), which reads no text. The texts
// those throws would carry are left out: each file would otherwise keep
// its own copies, about 1 KB in each program.
#pragma once

#include <bits/c++config.h>

#undef __N
#define __N(msgid) ("")
