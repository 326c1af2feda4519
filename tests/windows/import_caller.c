// SPDX-License-Identifier: Apache-2.0
/* A C program linked against the import libraries (Tarnwick.lib, U25Ferrow.lib) rather than
 * loading the DLLs itself: its calls bind through the decorated names a 32-bit compiler
 * references to the DLLs' undecorated exports. Built for Linux against the .so files, it
 * prints the same. */
#include "Tarnwick.h"
#include "ufl_engine.h"

#include <stdio.h>

int main(void)
{
    char buffer[256];
    printf("DataBar14 %d %s\n", DataBar14("1234567890123", buffer, (int32_t)sizeof buffer), buffer);
    printf("DataBarExpanded %d\n", DataBarExpanded("(01)00012345678905(10)ABC", 2, buffer, (int32_t)sizeof buffer));
    printf("Code128_Uni %d %s\n", Code128_Uni("12", buffer, (int32_t)sizeof buffer), buffer);
    printf("getMod10CheckDigit %d\n", getMod10CheckDigit("1234567890123"));
    printf("DataBarLimited %d\n", DataBarLimited("2", buffer, (int32_t)sizeof buffer));
    printf("TarnwickLastError %d %s\n", TarnwickLastError(buffer, (int32_t)sizeof buffer), buffer);
    printf("TarnwickVersionInfo %s %u.%u\n", TarnwickVersionInfo.productName,
           (unsigned)(TarnwickVersionInfo.fileVersionMS >> 16), (unsigned)(TarnwickVersionInfo.fileVersionMS & 0xFFFF));
    printf("UF5Initialize %d UFGetVersion %u\n", (int)UF5Initialize(0x500), (unsigned)UFGetVersion());
    const ufl_function_def* table = UF5GetFunctionDefStrings()->list;
    printf("table %s %s\n", table[0].definition, table[0].function == Kelbrin_Code128_Uni ? "imported" : "DIFFERENT");
    return 0;
}
