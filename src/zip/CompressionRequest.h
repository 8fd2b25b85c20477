#pragma once

#include <QString>

#include <cstdint>
#include <functional>

struct CompressionRequest;

// Called by CCompressZip after every chunk and once more after a failure. The callback may
// set the request's Cancel flag; the owner and the per-file progress record the engine needs
// travel in the callback's captures.
using CompressionProgressCallback = std::function<void(CompressionRequest &request)>;

enum class CompressionMode : int32_t {
    Decompress = 0,
    Compress = 1,
};

// Parameters and progress of one compression or decompression.
struct CompressionRequest {
    CompressionProgressCallback ProgressCallback;   // may be empty
    CompressionMode Mode = CompressionMode::Compress;   // set by the operation; informational
    // Decompress only. In: unpack only archives carrying the program's comment.
    // Out: cleared when the archive was someone else's and was left alone.
    bool OwnArchivesOnly = false;
    int64_t Size = 0;        // size of the file being processed, for the display
    int64_t BytesDone = 0;   // bytes read (compressing) or written (unpacking) so far
    // Compress: the source file. Decompress without destination directory: the output file;
    // afterwards: the last output file written.
    QString FilePath;
    QString EntryName;        // Compress: the name stored in the archive
    QString ArchivePath;
    // Decompress: the directory that receives the entries (their stored directory part is
    // dropped). When empty, the single output goes to FilePath.
    QString DestinationDir;
    QString ErrorText;        // set on failure before the callback is told
    bool Cancel = false;      // set by the callback; the operation stops after the current chunk
};
