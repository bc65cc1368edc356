#include "loader/header_export.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "loader/block_payload.h"
#include "loader/built_in_image.h"
#include "loader/header_text.h"
#include "loader/loader_state.h"

namespace kpx2 {

bool ExportFile::Create(const std::string& path)
{
    Close();
    // Read and write for everyone the umask lets through, as for every other file a program
    // writes.
    constexpr mode_t kReadWrite = S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH;
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kReadWrite);
    return fd_ >= 0;
}

bool ExportFile::Write(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd_, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void ExportFile::Close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

std::uint8_t ExportHeaderBlock(const char* file_name, std::int64_t index)
{
    LoaderState& state = Loader();
    if (state.error != code::kSuccess) return state.error;
    if (!state.image_initialised) return Fail(code::kImageNotInitialised);
    if (file_name == nullptr) return Fail(code::kCannotCreateFile);
    // A longer name is refused rather than cut into the name of another file; a bad index is
    // refused before the export file is touched.
    if (std::strlen(file_name) > kMaximumExportNameLength) return Fail(code::kFileNameTooLong);
    const FirmwareImage& image = BuiltInImage();
    if (!HasBlock(image, index)) return Fail(code::kBlockOutsideImage);

    HeaderExport& out = state.header_export;
    if (out.file.IsOpen() && (out.name != file_name || index == 0)) out.file.Close();
    if (!out.file.IsOpen()) {
        out.name = file_name;
        if (!out.file.Create(out.name)) return Fail(code::kCannotCreateFile);
    }
    if (index == 0 && !out.file.Write(HeaderLines(image))) return Fail(code::kCannotWriteFile);

    // The payload goes to the send buffer as it would for the wire; the export writes its data.
    const std::span<std::uint8_t> payload = SendPayload();
    const auto length = BuildPayload(image, index, payload);
    if (!length) return Fail(code::kBlockOutsideImage);
    const std::size_t data_at = *length - kBlockSize - kCheckByteCount;
    const auto data = payload.subspan(data_at).first<kBlockSize>();
    const bool last = index == image.block_count - 1;
    if (!out.file.Write(BlockLine(data, last))) return Fail(code::kCannotWriteFile);
    if (last && !out.file.Write(kClosingLine)) return Fail(code::kCannotWriteFile);
    return state.error;
}

}  // namespace kpx2
