// The last-error texts of the threaded variant, exactly as its callers know them (UTF-8).
#pragma once

namespace zudedize::texts {

inline constexpr const char* kAlreadyInitialised = "Ten port jest już zainicjowany";
inline constexpr const char* kDeviceNotFound = "System nie potrafi znależć danego urządzenia.";
inline constexpr const char* kAccessDenied = "Zabroniony dostęp do urządzenia.";
inline constexpr const char* kInvalidHandle = "Niepoprawny uchwyt do urządzenia, proces przerwany.";
inline constexpr const char* kBadDevice = "Błędnie określone urządzenie.";
inline constexpr const char* kQueueSizes = "Błędna inicjalizacja buforów Zapisu/Odczytu.";
inline constexpr const char* kCloseEventNotCreated = "Error CreateEvent. ";
inline constexpr const char* kLineSettings = "Błąd podczas aktualizacji bloku kontroli danych.";
inline constexpr const char* kTimeoutsNotRead = " Błąd odczytu aktualnych czasów.";
inline constexpr const char* kTimeoutsNotWritten = "Błąd podczas aktualizacji czasów.";
inline constexpr const char* kEventNotSignalled = "Błąd podczas sygnalizacji zdarzenia.";
inline constexpr const char* kEventsNotCreated = "Błąd CreateEvent. ";
inline constexpr const char* kReadEventNotCreated = "Błąd CreateEvent.";
inline constexpr const char* kHandleNotClosed = "Błąd zamknięcia uchwytu.";
inline constexpr const char* kEventNotReset = "Błąd podczas anulacji zdarzenia.";
inline constexpr const char* kWaitFailed = "Błąd funkcji WaitForMultipleObjects.";
inline constexpr const char* kWriteFailed = "Niepoprawny zapis.";
inline constexpr const char* kWriteToPortFailed = "Niepoprawny zapis do portu.";
inline constexpr const char* kWriteAborted = "Zapis przerwany.";
inline constexpr const char* kWriteTimeout = "Timeout zapisu.";
inline constexpr const char* kReadRequestAborted = "Przerwany zapis ";
inline constexpr const char* kReadFailed = "Niepoprawny odczyt.";
inline constexpr const char* kReadCancelled = "Odczyt przerwany";
inline constexpr const char* kReadAborted = "Odczyt przerwany.";
inline constexpr const char* kReadTimeout = "Timeout odczytu.";
inline constexpr const char* kPortNotOpen = "Port nie jest otwarty, niemożliwa operacja.";
// Ours: a worker thread of the port could not be started (the open fails with its code).
inline constexpr const char* kThreadNotStarted = "Błąd podczas uruchamiania wątku.";

// Line errors, recorded for the line-error event, each with its flag as the code.
inline constexpr const char* kLineBreak = "Urządzenie wykryło stan BREAK (CE_BREAK).";
inline constexpr const char* kLineFrame = "Urządzenie wykryło błąd ramki (CE_FRAME).";
inline constexpr const char* kLineOverrun = "Zgubiono znaki (CE_OVERRUN).";
inline constexpr const char* kLineRxOver = "Zapełniony bufor wejściowy (CE_RXOVER).";
inline constexpr const char* kLineParity = "Urządzenie wykryło błąd parzystości (CE_RXPARITY).";
inline constexpr const char* kLineTxFull = "Zapełniony bufor wyjściowy (CE_TXFULL).";

}  // namespace zudedize::texts
