#include "platform/core/ReplaceFile.h"

#include "platform/core/Exceptions.h"
#include "platform/core/FileDescriptor.h"
#include "platform/core/FileReasons.h"

namespace platform {

void ReplaceFile(const SavePlace& place, NewFile& newFile, std::string_view text)
{
    auto fail = [&](const std::string& reason) {
        throw IOException(kCannotWrite, place.Chosen(), FileReasons::Joined(reason, newFile.Discard()));
    };
    if (const int error = WriteFromStart(newFile.fd(), text)) fail(SystemReason(error));
    // The text must be on the disk before it takes the old one's place: a
    // network file system or a quota may report a full disk only now.
    if (const int error = SyncToDisk(newFile.fd())) fail(SystemReason(error));
    if (const std::string reason = place.WhyNotInPlace(); !reason.empty()) fail(reason);
    if (const int error = newFile.PutInPlace(place.Name())) fail(NewFileReason(error));
    if (const int error = SyncFolder(place.Folder())) {
        throw SavedWithFaultException(SavedWithFaultException::Fault::MayNotBeOnDisk, place.Chosen(), SystemReason(error));
    }
}

} // namespace platform
