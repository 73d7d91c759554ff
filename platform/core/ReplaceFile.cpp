#include "platform/core/ReplaceFile.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"

namespace platform {

void ReplaceFile(const SavePlace& place, NewFile& newFile, std::string_view text)
{
    auto fail = [&](int error) {
        throw IOException(kCannotWrite, place.chosen, FileReasons::Joined(SystemReason(error), newFile.Discard()));
    };
    if (const int error = WriteFromStart(newFile.fd(), text)) fail(error);
    // The text must be on the disk before it takes the old one's place: a
    // network file system or a quota may report a full disk only now.
    if (const int error = SyncToDisk(newFile.fd())) fail(error);
    if (const int error = newFile.PutInPlace(place.file)) fail(error);
    if (const int error = SyncFolderOf(place.file)) {
        throw SavedWithFaultException(SavedWithFaultException::Fault::MayNotBeOnDisk, place.chosen, SystemReason(error));
    }
}

} // namespace platform
