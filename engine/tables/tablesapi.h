#pragma once

// The tables' data as the Windows library that holds them exports it and the programs import it;
// nothing elsewhere, where the tables are linked into each program.
#if defined(LATTISCRIBE_SHARED_TABLES) && defined(LATTISCRIBE_BUILDING_TABLES)
#define LATTISCRIBE_TABLE __declspec(dllexport)
#elif defined(LATTISCRIBE_SHARED_TABLES)
#define LATTISCRIBE_TABLE __declspec(dllimport)
#else
#define LATTISCRIBE_TABLE
#endif
