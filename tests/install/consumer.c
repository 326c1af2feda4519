// SPDX-License-Identifier: Apache-2.0
/* A C program built against an installed Tarnwick through pkg-config. */
#include <Tarnwick.h>

#include <stdio.h>

int main(void)
{
    char text[256];
    if (DataBar14("0123456789012", text, (int32_t)sizeof text) < 0)
        return 1;
    printf("%u %s\n", (unsigned)(TarnwickVersionInfo.fileVersionMS >> 16), text);
    return 0;
}
