// Text files whose lines mean something by their position alone. Reading: a
// line ends at CR LF, at a lone CR or at a lone LF, the terminator not being
// part of it; a last line without terminator still counts when it has
// characters. Writing: every line ends with CR LF.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace ign {

namespace platform {
class InputFile;
}

// Bounds for a file nobody should have: reading stops at `totalBytes` as if
// the file ended there, and a longer line keeps its first `lineBytes` bytes.
// A short file that repeats its last line into later fields must not copy a
// huge line a hundred times.
struct LineLimits {
    std::size_t lineBytes;
    std::size_t totalBytes;
};

class LineReader {
public:
    static LineReader ofBytes(std::string_view bytes, LineLimits limits);
    // Opens the file; it is read in chunks only as far as the lines asked for
    // need. openError() is the errno when it could not be opened, else 0.
    static LineReader ofFile(const std::filesystem::path& file, LineLimits limits);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    int openError() const;

    // The next line; false at the end of the input (or of what may be read).
    bool next(std::string& line);

    // Bytes taken from the file so far (the whole input when reading bytes).
    std::size_t bytesRead() const { return bytesRead_; }

private:
    LineReader(std::string_view bytes, LineLimits limits);
    LineReader(const std::filesystem::path& file, LineLimits limits);
    void fill();
    void closeFile();

    LineLimits limits_;
    std::unique_ptr<platform::InputFile> file_;  // none when reading bytes
    bool atEnd_ = true;
    std::string buffer_;  // file mode: unread bytes and the line in progress
    std::string_view data_;  // the bytes being split: buffer_ or the caller's
    std::size_t pos_ = 0;  // start of the unread part of data_
    std::size_t bytesRead_ = 0;
};

// Appends the text and CR LF. A line break inside the text would shift every
// later line, so it is written as a blank; a single-line field cannot hold one
// anyway.
void appendLine(std::string& text, std::string_view field);

}  // namespace ign
