#pragma once
// A file handle with the operating system's error codes, for the places that
// report them to the user or must control exactly which bytes are written.
#include <QString>
#include <cstdint>

namespace velmoro::platform {

// What fstat tells of an open file, in the terms the track reader needs.
struct FileStatus {
    std::int64_t size = 0;
    std::int64_t modifiedSecs = 0; // since the epoch
    bool isRegular = false;
    bool ownerWritable = false;
    std::uint64_t device = 0;
};

class NativeFile {
public:
    enum class Mode { ReadOnly, ReadWrite };

    NativeFile() = default;
    ~NativeFile();
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    // 0 on success, else the system's error code (errno).
    int Open(const QString& path, Mode mode);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    // The size in bytes, or −1 when it cannot be known.
    std::int64_t Size() const;
    // False when the file cannot be examined.
    bool Status(FileStatus& status) const;
    // Bytes read at offset (fewer at the end of the file), or −1 on an error.
    std::int64_t ReadAt(std::int64_t offset, void* buffer, std::int64_t count) const;
    // 0 when all count bytes were written at offset, else an error code.
    int WriteAt(std::int64_t offset, const void* buffer, std::int64_t count);
    // 0 or an error code.
    int Truncate(std::int64_t length);
    int Sync();

private:
    int m_fd = -1;
};

} // namespace velmoro::platform
