/* kpx2, the firmware loader library of the KPX-2 controller: its C interface.
 *
 * libkpx2.so exports these functions and the serial port functions of its own (blocking)
 * ZudEdize variant (zudedize.h), and nothing else. Bind them by these names, leading
 * underscores included, with dlsym or by linking the library.
 *
 * Result codes: every _LFP_ function but _LFP_UstalenieTekstuOpisujacegoBlad returns the
 * library's current error code after it has run, 0 on success. The code is sticky: while it
 * is not 0 every step that can fail does nothing and returns it, until the caller reads its
 * text, sets it with _LFP_WartoscNumeruBledu or calls one of the two initialising functions.
 *
 * Calling order: _LFP_ZainicjowanieTypuIWersjiZPlikuBIN (else the query and the header
 * export give 203) and _LFP_ZainicjowanieNumeruPortu (else every step that opens the port
 * gives 204), in either order; then the protocol steps; then
 * _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu, also after a failure, to close the port.
 * An upgrade: type and version query; switch to the loader unless the query reported the
 * loader flag; erase; write blocks 0 to count - 1 in order; recompute the CRC; de-initialise.
 *
 * Ports: port n is COMn, a device path by the rules of zudedize.h (ZUDEDIZE_COM<n>=<path>).
 * The library keeps one port, one send buffer and one error code; it has no threads and is
 * not re-entrant. Texts are zero-terminated; buffers belong to the caller.
 */
#ifndef KPX2_H
#define KPX2_H

#ifdef __cplusplus
#include <cstdint>
extern "C" {
#else
#include <stdint.h>
#endif

#define KPX2_EXPORT __attribute__((visibility("default")))
/* The callee removes its arguments where the platform has such a convention (32-bit x86). */
#if defined(__i386__)
#define KPX2_STDCALL __attribute__((stdcall))
#else
#define KPX2_STDCALL
#endif

/* --- Library state. */

/* Sets the error code that error number `number` stands for and returns it: 0-77 as they are
 * (20 and 21 become 49, 50 or 51 when the last failed transfer saw an overrun, a parity or a
 * framing error), 78-82 -> 101-105, 83-94 -> 107-118, 95-107 -> 200-212, 108 -> 215,
 * 109 -> 217, 110-122 -> 220-232, 123 -> 234, 124 and above as they are. */
KPX2_EXPORT uint8_t _LFP_WartoscNumeruBledu(uint8_t number);

/* Clears the error code, then writes the built-in image's device type (0x1F), name ("KPX-2",
 * 6 bytes with the zero), version ("2.25", 5 bytes with the zero) and block count (89) and
 * marks the image initialised. fileName is not read. Null out pointers are skipped. */
KPX2_EXPORT uint8_t _LFP_ZainicjowanieTypuIWersjiZPlikuBIN(const char* fileName, uint8_t* outType, char* outName,
                                                           char* outVersion, int32_t* outCount);
/* Clears the error code and keeps `port` (n of COMn) as the port number. Always 0. */
KPX2_EXPORT uint8_t _LFP_ZainicjowanieNumeruPortu(uint8_t port);
/* Closes the port (unless the leave-open setting keeps it) and forgets the image and the port
 * number; returns the error code without looking at it or clearing it. */
KPX2_EXPORT uint8_t _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu(void);
/* Copies the text of `code` with its zero into `buffer` (64 bytes are always enough; the
 * editor passes 256), clears the error code and returns `buffer`. COM%d names the kept port.
 * Codes without a text of their own read "unknown error". */
KPX2_EXPORT char* _LFP_UstalenieTekstuOpisujacegoBlad(uint8_t code, char* buffer);

/* Leave the serial port open (nonzero): de-initialisation and requests for another speed or
 * other time-outs then keep the open port as it is. 0 closes the port at once. */
KPX2_EXPORT void _UstawieniePozostawiacOtwartyPortSzeregowy(uint8_t leaveOpen);
/* The same, for callers using the standard calling convention; the low byte counts. */
KPX2_EXPORT void KPX2_STDCALL __StdUstawieniePozostawiacOtwartyPortSzeregowy(uint32_t leaveOpen);

/* --- Port and line. Codes: 204 no port number, 62 the port does not open, 205 the port is
 * not open, 20 a byte not sent in time (49-51 with a line error). */

/* Opens the port at `speed` bit/s, 8 data bits, even parity, with whole-second time-outs;
 * an open port with other parameters is closed and opened again, one with the same ones is
 * kept. */
KPX2_EXPORT uint8_t _LFP_ZainicjowaniePortuSzeregowego(uint8_t port, int32_t speed, int32_t writeTimeout,
                                                       int32_t readTimeout);
/* Sends the low byte of `value` on the open port. */
KPX2_EXPORT uint8_t _LFP_PoslanieBajtu(int32_t value);
/* Break: a zero byte at 500 bit/s (20 ms of space on the line). */
KPX2_EXPORT uint8_t _LFP_WykonanieBreaka20ms(void);
/* Break, then the port at the service speed 9600. */
KPX2_EXPORT uint8_t _LFP_SerwisowePrzestawienieSzybkosciTransmisjiNa9600(void);
/* Service switch, then asks the controller for its maximum speed and keeps it; a controller
 * that does not answer leaves 38400 and no error. */
KPX2_EXPORT uint8_t _LFP_UstalenieMaksymalnejSzybkosciTransmisji(void);
/* Service switch, frame A, then the port at the maximum speed (38400 unless asked). */
KPX2_EXPORT uint8_t _LFP_PrzestawienieSzybkosciTransmisjiNaMaksymalna(void);

/* --- Controller. Status bytes become codes: 1 (block write) 101, 2-5 and 7-18 100 + s,
 * 19 46, 100-109, 111, 112, 115, 117, 120-132 and 134 100 + s, any other 23. No answer: 21. */

/* Switches to the maximum speed and asks for the device type and firmware version. Type
 * 0x1F is accepted, 0x1D only with the loader flag; any other gives 206 (the out values are
 * written all the same). Needs the image initialised (203). Null out pointers are skipped. */
KPX2_EXPORT uint8_t _LFP_PytanieOTypIWersjeUrzadzenia(uint8_t* outType, uint8_t* outMajor, uint8_t* outMinor,
                                                      uint8_t* outRevision, uint8_t* outLoaderFlag);
/* Switches to the maximum speed and starts the controller's loader (frame B). */
KPX2_EXPORT uint8_t _LFP_PrzelaczenieUrzadzeniaDoLoadera(void);
/* Erases the application flash, waiting up to 31 s for the controller. */
KPX2_EXPORT uint8_t _LFP_KasowanieFlashaWUrzadzeniu(void);
/* Writes block `blockIndex` (0-88) of the built-in image; 210 for any other index. */
KPX2_EXPORT uint8_t _LFP_ZapisanieBlokuDanychWUrzadzeniu(int32_t blockIndex);
/* Makes the controller recompute its flash CRC. */
KPX2_EXPORT uint8_t _LFP_PrzeliczenieCRCFlashaWUrzadzeniu(void);

/* --- Firmware image. */

/* Builds the wire payload of block `blockIndex` (address, 128 data bytes, two check bytes)
 * in the send buffer without sending it; 210 for an index outside 0-88. */
KPX2_EXPORT uint8_t _LFP_ZapisanieBlokuDanychWBajtachDoPoslania(int32_t blockIndex);
/* Header export, one block a call: block 0 (re)creates `fileName` and writes the #define
 * lines first, block 88 closes the table. The file stays open between calls under its name.
 * Codes: 203 image not initialised, 207 file not created (also a null name), 208 not
 * written, 210 index outside 0-88, 213 a name longer than 1024 characters. */
KPX2_EXPORT uint8_t _LFP_ZapisanieBlokuDanychWPlikuH(const char* fileName, int32_t blockIndex);

#ifdef __cplusplus
}
#endif

#endif
