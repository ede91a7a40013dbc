// Texts the flat functions return. Each stays valid until the same function is called again for
// the same object, or until that object goes: one text per object and function, so no number
// of calls on other objects or functions can overwrite it.
#pragma once

#include <afx.h>

namespace ReturnText {

// Keeps str for pObject under the function's name (its address identifies it, so pass
// __func__); returns the kept text, which the caller must not free.
LPSTR Keep(const void* pObject, const char* pszFunction, const CString& str);

// Frees every text kept for the object; called when the object goes.
void Forget(const void* pObject);

// Texts kept, for the library's tests.
int Count();

}  // namespace ReturnText
