// The header export: the built-in image written out block by block, one call a block, in the
// format it is built in from. One export file stays open between calls, under its name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kpx2 {

// A file open for writing; closed when the object goes.
class ExportFile {
public:
    ExportFile() = default;
    ~ExportFile() { Close(); }
    ExportFile(const ExportFile&) = delete;
    ExportFile& operator=(const ExportFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Creates or truncates `path`, readable and writable by its owner only when created.
    bool Create(const std::string& path);
    // All of `text`, or false.
    bool Write(std::string_view text);
    void Close();

private:
    int fd_ = -1;
};

struct HeaderExport {
    ExportFile file;
    std::string name;  // the name the open file was created under
};

// The export step for block `index` into `file_name`; returns the current error code.
std::uint8_t ExportHeaderBlock(const char* file_name, std::int64_t index);

}  // namespace kpx2
