/* A host written in plain C: the public header compiles as C and the import library links. */
#include "lumo.h"

int main(void)
{
    /* Exit code 0 when the library answered through its flat interface. */
    return GetDllVersion() == 5308 ? 0 : 1;
}
