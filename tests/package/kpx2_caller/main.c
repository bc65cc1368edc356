/* A program of someone else's built against libkpx2-dev alone: it includes the installed
 * headers, links -lkpx2 and prints what the library says of its firmware image and of its
 * own serial port functions. */
#include <stdio.h>

#include <kpx2.h>
#include <zudedize.h>

int main(void)
{
    uint8_t type = 0;
    char name[6] = "";
    char version[5] = "";
    int32_t count = 0;
    char text[256];

    uint8_t code = _LFP_ZainicjowanieTypuIWersjiZPlikuBIN("", &type, name, version, &count);
    if (code != 0) {
        printf("%s\n", _LFP_UstalenieTekstuOpisujacegoBlad(code, text));
        return 1;
    }
    printf("%s %s, %d blocks, device type 0x%02X\n", name, version, (int)count, (unsigned)type);
    /* No port is open: a byte cannot be sent, and the text says so. */
    code = _LFP_PoslanieBajtu(0x55);
    printf("%u: %s\n", (unsigned)code, _LFP_UstalenieTekstuOpisujacegoBlad(code, text));
    printf("port selector %u\n", (unsigned)GetComSelector(NULL));
    return _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
}
