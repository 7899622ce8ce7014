#include "run/RunError.h"

#include <cerrno>

namespace varneska {

namespace {

std::string Describe(RunError::Code code, const std::string& path) {
    std::string text = RunError::Words(code);
    if (!path.empty()) {
        text += ": ";
        text += path;
    }
    return text;
}

}  // namespace

RunError::RunError(Code code, const std::string& path)
    : std::runtime_error(Describe(code, path)), m_code(code), m_path(path) {}

RunError::Code RunError::CodeOfErrno(int error) noexcept {
    switch (error) {
        case ENOENT:        // nothing of that name
        case ENOTDIR:       // a file where a folder should be on the way
        case ENAMETOOLONG:  // a path no folder can have
            return Code::PathNotFound;
        case EACCES:
        case EPERM:
            return Code::PermissionDenied;
        case ENOMEM:
            return Code::OutOfMemory;
        case EIO:        // the device failed
        case ENOMEDIUM:  // a drive without its disc or card
            return Code::DeviceIo;
        default:
            // EISDIR, ENXIO (a socket or a device opened as a file), ELOOP (a link loop), EMFILE
            // and the rest: the path cannot be read as what was asked for.
            return Code::PathFileAccess;
    }
}

RunError RunError::FromErrno(int error, const std::string& path) {
    return RunError(CodeOfErrno(error), path);
}

const char* RunError::Words(Code code) noexcept {
    switch (code) {
        case Code::OutOfMemory:
            return "Out of memory";
        case Code::FileNotFound:
            return "File not found";
        case Code::DeviceIo:
            return "Device I/O error";
        case Code::InputPastEnd:
            return "Input past end of file";
        case Code::PermissionDenied:
            return "Permission denied";
        case Code::PathFileAccess:
            return "Path/File access error";
        case Code::PathNotFound:
            return "Path not found";
        case Code::Internal:
            return "Internal error";
    }
    return "Unknown error";
}

}  // namespace varneska
