// Shared between the framework's core source files; not part of the public headers.
#pragma once

#include "afx.h"

// Takes out of the class list every run-time class whose record lies in the module's image.
void _AfxUnregisterModuleClasses(HMODULE hModule);
