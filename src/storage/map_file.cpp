#include "storage/map_file.h"

#include <utility>

#include "model/numbers.h"
#include "storage/cp1251.h"
#include "storage/text_lines.h"

namespace ign {
namespace {

// Fourteen numbers need little; a larger file is read only this far.
constexpr LineLimits kMapLimits{64 * 1024, 1024 * 1024};

template <typename In>  // Inputs or const Inputs
auto& fieldText(In& in, MapField field)
{
    const auto index = static_cast<std::size_t>(field.index);
    return field.isPoint ? in.text6[index] : in.text4[index];
}

// Line k is assigned before line k + 1 is read; reading stops at the first
// line that is not there.
int applyLines(LineReader& reader, Inputs& in, int characteristic)
{
    std::string line;
    int applied = 0;
    while (applied < kMapLines && reader.next(line)) {
        ++applied;
        // Always the full stop: a comma written here would later be read
        // only up to the comma, turning 21.7 into 21.
        fieldText(in, mapField(characteristic, applied)) = formatGeneral(leadingNumber(line), '.');
    }
    return applied;
}

}  // namespace

MapField mapField(int characteristic, int line)
{
    if (line <= kTopPoint)
        return {true, pointField(characteristic, line)};
    return {false, coefficientBase(characteristic) + line - 12};
}

std::string mapFileBytes(const Inputs& in, int characteristic)
{
    std::string text;
    for (int line = 1; line <= kMapLines; ++line)
        appendLine(text, fieldText(in, mapField(characteristic, line)));
    return utf8ToCp1251(text);
}

int applyMapBytes(std::string_view bytes, Inputs& in, int characteristic)
{
    LineReader reader = LineReader::ofBytes(bytes, kMapLimits);
    return applyLines(reader, in, characteristic);
}

MapLoadResult loadMapFile(const std::filesystem::path& file, Inputs& in, int characteristic)
{
    LineReader reader = LineReader::ofFile(file, kMapLimits);
    MapLoadResult result;
    if (reader.openError() != 0) {
        result.reason = describeReadError(reader.openError());
        return result;
    }
    Inputs read = in;
    const int applied = applyLines(reader, read, characteristic);
    result.bytesRead = reader.bytesRead();
    if (reader.readError() != 0) {
        result.reason = describeReadError(reader.readError());
        return result;
    }
    in = std::move(read);
    result.opened = true;
    result.linesApplied = applied;
    return result;
}

WriteResult saveMapFile(const std::filesystem::path& file, const Inputs& in, int characteristic)
{
    return writeFileAtomically(file, mapFileBytes(in, characteristic));
}

}  // namespace ign
