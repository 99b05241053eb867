#pragma once

#include <cstddef>
#include <cstdint>

// The stroke outlines of the Make Me a Hanzi project (npm package hanzi-writer-data), compiled in by
// tools/strokes/make_stroke_table.py; see there for the layout of the streams.
namespace StrokeOrderTable {

// The command codes of the command stream; M, L, Q and C take one, one, two and three points.
enum Command : std::uint8_t { MoveTo = 0, LineTo = 1, QuadTo = 2, CubicTo = 3, Close = 4, EndOfStroke = 5 };

extern const int characterCount;
// Code points, ascending, with where each character's commands and points start in the inflated block.
extern const std::uint32_t characters[];
extern const std::uint32_t commandOffsets[];
extern const std::uint32_t pointOffsets[];
extern const std::uint8_t strokeCounts[];
// The zlib block: the commands of every character, then their points from pointsStart on.
extern const char packed[];
extern const std::size_t packedSize;
extern const std::size_t unpackedSize;
extern const std::size_t pointsStart;

} // namespace StrokeOrderTable
