#pragma once
// Synthetic zones for tests and benchmarks. The rooms fill a block of the map grid,
// each linked both ways to its neighbours, so the automatic layout puts every room on
// its own cell. The output depends only on the arguments: the generator has its own
// random numbers, not the standard library's distributions, whose results differ
// between library implementations.
#include <cstdint>
#include <string>

// Room numbers run from 0 to 99998 in a world file, so a zone holds at most this many.
constexpr int kMaxGeneratedRooms = 99999;

// A world file (LF line ends, bitvectors as letters, ending with "$") of `rooms` rooms
// in zone `zone`. Rooms are numbered from zone * 100 up when the numbers fit below
// 99999, otherwise from 0 up. Throws std::invalid_argument for a room count outside
// 0..kMaxGeneratedRooms or a negative zone.
std::string generateZone(int rooms, uint32_t seed, int zone);

// The first room number generateZone uses for these arguments.
int32_t generatedFirstVnum(int rooms, int zone);
