#pragma once

#include <cstdio>
#include <span>
#include <string_view>

// trivel-cli LOWER UPPER: writes the lines the window's list would hold after a
// search with these bounds, one per line, as they are found. Returns the exit
// status: 0 on success, 1 when writing fails, 2 for bad arguments.
// Options, before or after the bounds: --count writes only the number of those
// lines, --primitive keeps only the lines of primitive triples
// (gcd(|i|, |j|) = 1), --image FILE writes the picture of those lines into a
// PNG file in their place, at the size of --size WIDTHxHEIGHT (800x800
// without it); a file that cannot be written is status 1. --help writes the
// usage and --version the program's name and version. Every argument after a
// "--" is a bound.
int runCli(std::span<const std::string_view> args, std::FILE* out, std::FILE* err,
           std::string_view decimalSeparator);
