#pragma once

#include <sys/types.h>

namespace platform {

// Makes the file open at `to` share every block of the file open at `from`
// (FICLONE): its content becomes that of `from` without a byte of data
// written, so it needs no room for it. Gives false where the file system
// cannot share blocks (most cannot), or not between these two files.
bool CloneFile(int from, int to);

// Copies the first `length` bytes of `from` to the same places in `to`,
// in the kernel where it can, without the text passing through memory whole.
// Only the parts of `from` that hold data are copied: its holes stay holes,
// so the copy takes no more room than they do; but below `zeroBelow`, where
// `to` may hold other bytes, a hole of `from` is written as zeros. `to`'s
// length is not set. Gives 0, or the errno of the failure.
int CopyBytes(int from, int to, off_t length, off_t zeroBelow);

// Makes every range of the first `length` bytes of `fd` that reads as a hole
// a hole again: blocks reserved there and never written are given back. The
// content is unchanged, for a hole reads as zeros as before.
void PunchHoles(int fd, off_t length);

} // namespace platform
