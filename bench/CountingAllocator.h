#pragma once
// Heap bytes in use, counted by the allocator's own block sizes while
// counting is on (counting slows allocation down, so timed runs leave it off).
// Linked into every benchmark: it replaces the global operator new and delete.

void StartHeapCount();
void StopHeapCount();
// Bytes allocated and not freed since the count started.
long long LiveHeapBytes();
// The most LiveHeapBytes() reached since the count started.
long long PeakHeapBytes();
