#pragma once
// Replacing a file's content so that an interruption at any moment (the process killed, an
// error, the disk full) leaves either the old content or the new one, never a mixture or an
// empty file:
//   1. the target is checked first: a target that may not be written (read-only, locked by
//      another program, a directory) fails as it always did, before anything is created;
//   2. the bytes go to a new temporary file beside the target (same directory, so the same
//      volume), "<target>.<unique>.tmp";
//   3. that file is flushed to the disk and closed;
//   4. it takes the target's place in one step (a rename that replaces the target).
// Any failure removes the temporary file, leaves the target byte for byte as it was, and
// raises EFCreateError "Cannot create file "<target>". <reason>" naming the target. A process
// killed between steps 2 and 4 leaves its temporary file behind, never a damaged target.
#include <string>
#include <string_view>

void WriteFileAtomically(const std::string& fileName, std::string_view bytes);
