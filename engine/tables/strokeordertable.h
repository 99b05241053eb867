#pragma once

#include "tablesapi.h"

#include <cstddef>
#include <cstdint>

// The stroke outlines of the Make Me a Hanzi project (npm package hanzi-writer-data), compiled in by
// tools/strokes/make_stroke_table.py; see there for the layout of the streams.
namespace StrokeOrderTable {

// The command codes of the command stream; M, L, Q and C take one, one, two and three points.
enum Command : std::uint8_t { MoveTo = 0, LineTo = 1, QuadTo = 2, CubicTo = 3, Close = 4, EndOfStroke = 5 };

extern LATTISCRIBE_TABLE const int characterCount;
// Code points, ascending, with where each character's commands and points start in its inflated chunk.
extern LATTISCRIBE_TABLE const std::uint32_t characters[];
extern LATTISCRIBE_TABLE const std::uint32_t commandOffsets[];
extern LATTISCRIBE_TABLE const std::uint32_t pointOffsets[];
extern LATTISCRIBE_TABLE const std::uint8_t strokeCounts[];
// Character i is in chunk i / charactersPerChunk, a zlib block from chunkPackedOffsets[chunk] to the next
// offset in `packed`, which inflates to chunkSizes[chunk] bytes: the commands of its characters, then
// their points from chunkPointsStarts[chunk] on.
extern LATTISCRIBE_TABLE const int charactersPerChunk;
extern LATTISCRIBE_TABLE const int chunkCount;
extern LATTISCRIBE_TABLE const std::uint32_t chunkPackedOffsets[];
extern LATTISCRIBE_TABLE const std::uint32_t chunkSizes[];
extern LATTISCRIBE_TABLE const std::uint32_t chunkPointsStarts[];
extern LATTISCRIBE_TABLE const char packed[];

} // namespace StrokeOrderTable
