#pragma once

#include <cstddef>

// Counts the bytes that operator new hands out in this program, so that a
// benchmark can report the most memory that one call held at a time.
namespace heap {

std::size_t LiveBytes();

// Starts a new measurement: the peak becomes what is live now.
void ResetPeak();
std::size_t PeakBytes();

} // namespace heap
