/* ZudEdize, the serial port library: its C interface.
 *
 * Two builds of one API over 256 port slots. Every call works on the slot named by the
 * current selector (initially 1, changed only by SetComSelector) unless it takes a slot.
 * The editor exports its threaded variant under these names; the loader library kpx2
 * exports its blocking variant under the same names. Functions that only one variant has
 * are marked. Booleans are true on success. Texts are UTF-8.
 *
 * Port n names a device: ZUDEDIZE_COM<n>=<path> in the environment, else ports 1-32 are
 * /dev/ttyS0-31, 33-64 /dev/ttyUSB0-31, 65-96 /dev/ttyACM0-31.
 */
#ifndef ZUDEDIZE_H
#define ZUDEDIZE_H

#ifdef __cplusplus
#include <cstdint>
extern "C" {
#else
#include <stdbool.h>
#include <stdint.h>
#endif

#define ZUDEDIZE_EXPORT __attribute__((visibility("default")))

/* Parity codes. */
enum {
    ZUDEDIZE_PARITY_NONE = 0,
    ZUDEDIZE_PARITY_ODD = 1,
    ZUDEDIZE_PARITY_EVEN = 2,
    ZUDEDIZE_PARITY_MARK = 3,
    ZUDEDIZE_PARITY_SPACE = 4
};

/* --- Opening and closing. Time-outs are whole seconds (the threaded variant keeps up to
 * 65535); a read time-out of 0 makes a read return at once with what has arrived. */

/* 0 = open and configured. Threaded: 5 when the slot's port is already open, else the OS
 * error code of the first failing step (2 not found, 5 access denied or in use, 6 not a
 * character device). Blocking: 1 when the device cannot be opened, else as
 * SetSerialParameters. Parity: threaded, the parity setting of the last pInitializePort
 * (codes 0 and 1 as they are, others even); blocking, even. */
ZUDEDIZE_EXPORT int32_t InitializePort(uint8_t port, int32_t baud, int32_t write_timeout_s, int32_t read_timeout_s);
/* As InitializePort with a parity code: threaded, stored as the parity setting first. */
ZUDEDIZE_EXPORT int32_t pInitializePort(uint8_t port, int32_t baud, int32_t write_timeout_s, int32_t read_timeout_s,
                                        uint8_t parity);
/* Blocking only: stores the values in the slot and opens `path`; 0 = opened, 1 = not. No
 * settings are applied (SetSerialParameters does that). */
ZUDEDIZE_EXPORT int32_t pInitializeAnyPort(const char* path, uint8_t port, uint8_t cts, int32_t baud, uint8_t parity,
                                           int32_t stop_bits_code, int32_t data_bits, int32_t write_timeout_s,
                                           int32_t read_timeout_s);
/* Blocking only: opens parallel port n (ZUDEDIZE_LPT<n>, else /dev/lp<n-1>); as InitializePort. */
ZUDEDIZE_EXPORT int32_t pInitializeLPTPort(uint8_t port, int32_t baud, int32_t write_timeout_s, int32_t read_timeout_s);
/* Blocking only: applies the slot's settings; 0, 2 = slot not open, else the OS error code. */
ZUDEDIZE_EXPORT int32_t SetSerialParameters(void);
/* 0 = closed (also when it was not open), else the OS error code. */
ZUDEDIZE_EXPORT int32_t UnInitializePort(void);

/* --- Transfers. */

/* 1 = sent, 0 = failed or timed out. */
ZUDEDIZE_EXPORT int32_t WriteByte(uint8_t value);
/* 1 = one byte read into *value, 0 = failed or timed out (nothing stored). */
ZUDEDIZE_EXPORT int32_t ReadByte(uint8_t* value);
/* Blocking only: 1 = all count bytes written (count 0: 1 without sending). */
ZUDEDIZE_EXPORT int32_t WriteBytes(const uint8_t* buffer, uint8_t count);
/* Threaded only: the last transfer moved no byte. */
ZUDEDIZE_EXPORT bool TimeOut(void);
/* The output has left the port; then waits one character time. False (at once) when closed. */
ZUDEDIZE_EXPORT bool CharSent(void);
/* Discards both queues: 0, the OS error code; closed port: threaded 0, blocking 2. */
ZUDEDIZE_EXPORT int32_t ClearPort(void);

/* --- Configuration and lines. */

ZUDEDIZE_EXPORT bool ChangeSpeedZudedize(int32_t baud);
ZUDEDIZE_EXPORT bool ChangeParity(uint8_t parity);
/* Write total and read time-outs in milliseconds (negative: refused, false). */
ZUDEDIZE_EXPORT bool MsSetTimeouts(int32_t write_ms, int32_t read_ms);
ZUDEDIZE_EXPORT void UstawCTS(uint8_t cts);
ZUDEDIZE_EXPORT bool SetDTRLine(void);
ZUDEDIZE_EXPORT bool ClearDTRLine(void);
ZUDEDIZE_EXPORT bool SetRTSLine(void);
ZUDEDIZE_EXPORT bool ClearRTSLine(void);
/* Pattern 1: DTR low RTS high; 2: both high; 3: both low; 4: DTR high RTS low. */
ZUDEDIZE_EXPORT bool UstawKanalZudedize(uint8_t pattern);
/* 0x10 CTS, 0x20 DSR, 0x40 ring, 0x80 carrier; 0 when it cannot be read. */
ZUDEDIZE_EXPORT uint8_t ModemStatus(void);
/* Blocking only: the port delay in milliseconds (100 at load and after every close). */
ZUDEDIZE_EXPORT void SetPortDelay(uint8_t milliseconds);

/* --- Slots and enquiries. */

ZUDEDIZE_EXPORT void SetComSelector(uint8_t slot);
/* Stores the selector in *slot (when not null) and returns it. */
ZUDEDIZE_EXPORT uint8_t GetComSelector(uint8_t* slot);
/* The slot's COM number in *number, 0 when the slot holds no open port (threaded: no port). */
ZUDEDIZE_EXPORT void GetCOMNumber(uint8_t slot, uint8_t* number);
/* The slot's file descriptor; threaded: 0 when the slot never held a port, -1 when closed;
 * blocking: -1 when not open. */
ZUDEDIZE_EXPORT intptr_t GetCOMHandle(uint8_t slot);
/* Baud rate, 0 when the slot holds no port (threaded) or is not open (blocking). */
ZUDEDIZE_EXPORT int32_t GetSpeed(uint8_t slot);
/* The device of port n can be opened now (a port open anywhere, here too, gives false). */
ZUDEDIZE_EXPORT bool SerialPortPresent(uint8_t port);
/* The network address behind a virtual port, "" if none; valid until the next call. */
ZUDEDIZE_EXPORT const char* PIPAdress(uint8_t port);
/* Threaded only: copies the last-error text (cut to 51 bytes at a character boundary,
 * plus the zero: the buffer needs 52 bytes) and its code, empties the slot; true when an
 * error was pending. Null arguments: *code = -1 (if given), false, slot kept. */
ZUDEDIZE_EXPORT bool IsError(char* text, int32_t* code);

#ifdef __cplusplus
}
#endif

#endif
