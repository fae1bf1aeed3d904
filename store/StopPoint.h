#pragma once
// Named steps of a write where a test can freeze the writer and kill it, so
// that a kill lands at a known step however busy the machine is: when the
// environment variable TICKWELL_STOP_AT names the step, the process stops
// itself (SIGSTOP) there and waits for whatever its parent does next.
inline constexpr const char* kStopAtVariable = "TICKWELL_STOP_AT";

// The data file's lock is held and nothing is written yet.
inline constexpr const char* kStopDataLocked = "data-locked";
// Half of the new bytes are in the temporary file.
inline constexpr const char* kStopHalfWritten = "half-written";
// The temporary file is whole and synced, not yet renamed.
inline constexpr const char* kStopBeforeRename = "before-rename";
// The new file is in place; the writer has not yet let go of anything.
inline constexpr const char* kStopRenamed = "renamed";

void StopPoint(const char* step);
