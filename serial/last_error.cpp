#include "serial/last_error.h"

#include <cstring>
#include <utility>

namespace zudedize {

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

void CopyTextCut(const std::string& text, char* out, std::size_t size)
{
    std::size_t length = text.size();
    if (length > size - 1) {
        length = size - 1;
        // Back off to the first byte of the character that does not fit whole.
        while (length > 0 && IsContinuationByte(text[length])) --length;
    }
    std::memcpy(out, text.data(), length);
    out[length] = '\0';
}

void LastError::Record(const char* text, std::int32_t code)
{
    std::lock_guard lock(mutex_);
    text_ = text;
    code_ = code;
}

void LastError::Clear()
{
    std::lock_guard lock(mutex_);
    text_.clear();
    code_ = 0;
}

bool LastError::Take(char* text, std::int32_t* code)
{
    std::lock_guard lock(mutex_);
    if (text == nullptr || code == nullptr) {
        if (code != nullptr) *code = -1;
        return false;
    }
    CopyTextCut(text_, text, kErrorTextBufferSize);
    *code = code_;
    const bool pending = code_ != 0;
    text_.clear();
    code_ = 0;
    return pending;
}

bool LastError::Take(std::string& text, std::int32_t& code)
{
    std::lock_guard lock(mutex_);
    text = std::move(text_);
    code = code_;
    text_.clear();
    code_ = 0;
    return code != 0;
}

std::string LastError::Text() const
{
    std::lock_guard lock(mutex_);
    return text_;
}

std::int32_t LastError::Code() const
{
    std::lock_guard lock(mutex_);
    return code_;
}

}  // namespace zudedize
