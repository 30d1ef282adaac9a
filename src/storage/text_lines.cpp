#include "storage/text_lines.h"

#include <algorithm>

#include "storage/platform_file.h"

namespace ign {
namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

}  // namespace

LineReader LineReader::ofBytes(std::string_view bytes, LineLimits limits)
{
    return LineReader(bytes, limits);
}

LineReader LineReader::ofFile(const std::filesystem::path& file, LineLimits limits)
{
    return LineReader(file, limits);
}

LineReader::LineReader(std::string_view bytes, LineLimits limits)
    : limits_(limits), data_(bytes.substr(0, limits.totalBytes))
{
    bytesRead_ = data_.size();
}

LineReader::LineReader(const std::filesystem::path& file, LineLimits limits)
    : limits_(limits), file_(std::make_unique<platform::InputFile>(file))
{
    atEnd_ = !file_->isOpen();
}

LineReader::~LineReader() = default;

int LineReader::openError() const
{
    return file_ ? file_->openError() : 0;
}

void LineReader::closeFile()
{
    if (file_)
        file_->close();
    atEnd_ = true;
}

// Appends one chunk after dropping the bytes already handed out; a read error
// ends the input like the end of the file does.
void LineReader::fill()
{
    const std::size_t want = std::min(kChunkBytes, limits_.totalBytes - bytesRead_);
    buffer_.erase(0, pos_);
    pos_ = 0;
    const std::size_t old = buffer_.size();
    buffer_.resize(old + want);
    int error = 0;
    const std::size_t n = file_->read(buffer_.data() + old, want, error);
    buffer_.resize(old + n);
    data_ = buffer_;
    if (n == 0) {
        closeFile();
        return;
    }
    bytesRead_ += n;
    if (bytesRead_ >= limits_.totalBytes)
        closeFile();
}

bool LineReader::next(std::string& line)
{
    std::size_t scan = 0;  // offsets are relative to pos_, which fill() moves
    for (;;) {
        const std::string_view rest = data_.substr(pos_);
        const std::size_t end = rest.find_first_of("\r\n", scan);
        // A CR that ends the chunk may be the first half of CR LF.
        const bool needMore =
            end == std::string_view::npos || (rest[end] == '\r' && end + 1 == rest.size());
        if (needMore && !atEnd_) {
            if (end == std::string_view::npos && rest.size() > limits_.lineBytes) {
                // Only the kept part of an overlong line stays in memory.
                buffer_.resize(pos_ + limits_.lineBytes);
                scan = limits_.lineBytes;
            } else {
                scan = end == std::string_view::npos ? rest.size() : end;
            }
            fill();
            continue;
        }
        if (end == std::string_view::npos) {
            if (rest.empty())
                return false;
            line.assign(rest.substr(0, limits_.lineBytes));
            pos_ = data_.size();
            return true;
        }
        line.assign(rest.substr(0, std::min(end, limits_.lineBytes)));
        std::size_t skip = end + 1;
        if (rest[end] == '\r' && skip < rest.size() && rest[skip] == '\n')
            ++skip;
        pos_ += skip;
        return true;
    }
}

void appendLine(std::string& text, std::string_view field)
{
    const std::size_t start = text.size();
    text += field;
    std::replace_if(
        text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
        [](char c) { return c == '\r' || c == '\n'; }, ' ');
    text += "\r\n";
}

}  // namespace ign
