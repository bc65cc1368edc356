// The threaded variant's last-error slot: one text and one code, written at each failure
// and handed out (and emptied) by IsError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

namespace zudedize {

// Room the callers of IsError give for the text: 51 characters and the terminating zero.
// The texts are UTF-8, in which a Polish letter takes two bytes, so a long text is cut.
constexpr std::size_t kErrorTextBufferSize = 52;

// Copies `text` into `out` (room for `size` bytes, size >= 1) with a terminating zero,
// cut where needed at a character boundary so that the zero still fits.
void CopyTextCut(const std::string& text, char* out, std::size_t size);

class LastError {
public:
    void Record(const char* text, std::int32_t code);
    void Clear();

    // IsError: copies the text (cut to kErrorTextBufferSize bytes with its zero) and the code
    // out and empties the slot; true when the code was nonzero. With a null `text` or `code`
    // the copy cannot be made: *code (when there is one) becomes -1, the result is false
    // and the slot stays as it was.
    bool Take(char* text, std::int32_t* code);

    // IsError for C++ callers: the whole text and the code, and the slot emptied, in one
    // step; true when the code was nonzero.
    bool Take(std::string& text, std::int32_t& code);

    // The slot as it is now (tests, and callers that want the whole text).
    std::string Text() const;
    std::int32_t Code() const;

private:
    mutable std::mutex mutex_;
    std::string text_;
    std::int32_t code_ = 0;
};

}  // namespace zudedize
